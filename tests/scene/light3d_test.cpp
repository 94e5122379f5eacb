#include "scene/light3d.h"

#include <gtest/gtest.h>

#include <cmath>

#include "system/shown_boxes.h"

namespace pax {
namespace {

using testing::BoxTexts;
using testing::ScopedPresenter;
using testing::Texts;

// A unit normal whose dot product with the light's direction is d.
tVector3d NormalWithDot(const Light3d& light, Extended d) {
    return d * light.Heading() + std::sqrt(1 - d * d) * light.Right();
}

uint8_t ShadeAt(Light3d& light, Extended d, TColor32& colour, bool twoSided = false, uint8_t opacity = 255) {
    return light.Shade(NormalWithDot(light, d), colour, twoSided, {0, 1, 0}, opacity);
}

// Models 0 to 3 keep the colour; 4 and 6 replace it, with the window's fill opacity as alpha.
TEST(Light3d, IntensityAndColourOfEachModelWithoutHighlights) {
    struct Case {
        int model;
        Extended d;
        bool enabled, twoSided;
        uint8_t opacity, expected;
        TColor32 colour = 0xFF102030;
    };
    const Case cases[] = {
        {3, -1, true, false, 255, 255},     // 0.2 + 1 * 0.8
        {3, 1, true, false, 255, 51},       // turned away: ambient only
        {3, 0.2L, true, false, 255, 124},   // (0.4 * 0.9) * 0.8 + 0.2 = 0.488
        {3, 1, true, true, 255, 255},       // both sides lit
        {3, -1, false, false, 255, 51},     // light off
        {0, 0.3L, true, false, 255, 255},   {0, 0.3L, false, false, 255, 128},  {1, -1, true, false, 255, 51},
        {2, 1, true, false, 255, 205},      // (0.01 * 0.2 + 0.8) * 255 = 204.51
        {2, 1, false, false, 255, 102},     // halved
        {4, -1, true, false, 255, 214, 0xFFFFFFFF},   // 0.8 * 0.8 + 0.2 = 0.84
        {4, 0.5L, true, false, 255, 51, 0xFFFFFFFF},  // below half: ambient only
        {4, -1, false, false, 255, 255, 0xFFFFFFFF},  {4, 0, true, false, 200, 133, 0xC8FFFFFF},  // 0.64 * 0.5 + 0.2
        {5, 0.4L, true, false, 255, 255, 0},          {5, 0.4L, false, false, 255, 51, 0},
        {6, 0.2L, true, false, 255, 124, 0},
        {6, 0, true, false, 255, 153, 0xFFFF0000},    // hue |d|, full saturation and value
        {6, -0.5L, true, false, 90, 204, 0x5A00FFFF},  // 0.75 * 0.8 + 0.2
    };
    for (const Case& c : cases) {
        Light3d light;
        light.SpecularOn = false;
        light.Enabled = c.enabled;
        light.SetModel(c.model);
        TColor32 colour = 0xFF102030;
        EXPECT_EQ(ShadeAt(light, c.d, colour, c.twoSided, c.opacity), c.expected) << c.model << " d=" << double(c.d);
        EXPECT_EQ(light.TwoSided, c.twoSided);
        if (c.colour != 0) {
            EXPECT_EQ(colour, c.colour) << c.model << " d=" << double(c.d);
        }
    }
    // Model 5: the normal as a colour, x blue, y green, z red, each 0.5 + n / 2.
    Light3d light;
    light.SetModel(5);
    TColor32 colour = 0;
    light.Shade({1, 0, 0}, colour, false, {0, 1, 0}, 255);
    EXPECT_EQ(colour, 0xFF7F7FFFu);
    light.Shade({0, 0, -1}, colour, false, {0, 1, 0}, 128);
    EXPECT_EQ(colour, 0x80007F7Fu);
}

TEST(Light3d, HighlightMixesTowardsTheLightColour) {
    Light3d light;
    light.SetHeading({0, 1, 0});
    light.SetModel(1);   // base intensity 51, colour untouched
    // The face looks at the eye and the light shines along the line of sight: the reflected
    // ray comes straight back (e = -1).
    TColor32 colour = 0xFF000000;
    EXPECT_EQ(light.Shade({0, -1, 0}, colour, false, {0, 1, 0}, 255), 128);
    EXPECT_EQ(colour, 0xFF7F7F70u);

    // e = -0.5: 0.5^5.5 * 0.5 = 0.011, 2.8 of 255.
    colour = 0xFF000000;
    // The normal halves the way from the reflected ray (0, -1/2, sqrt(3)/2) back to L.
    const tVector3d n = Normalize({0, 1.5L, -std::sqrt(3.0L) / 2});
    ASSERT_NEAR(Dot(Reflect(light.Heading(), n), {0, 1, 0}), -0.5L, 1e-15L);
    EXPECT_EQ(light.Shade(n, colour, false, {0, 1, 0}, 255), 51);
    EXPECT_EQ(colour, BlendColor(0xFF000000, 0xFFFFFFE0, 3));

    // Reflected away from the eye: no highlight, colour kept.
    colour = 0xFF000000;
    EXPECT_EQ(light.Shade({0, -1, 0}, colour, false, {0, -1, 0}, 255), 51);
    EXPECT_EQ(colour, 0xFF000000u);
    light.SpecularOn = false;
    EXPECT_EQ(light.Shade({0, -1, 0}, colour, false, {0, 1, 0}, 255), 51);
    EXPECT_EQ(colour, 0xFF000000u);
}

// The last shade is remembered for faces of the same normal. Whatever else changes between two
// such faces (the colour, the sides, the opacity, the eye, the light's direction or any of its
// settings), the second must be shaded as it is without the memory.
TEST(Light3d, ARememberedShadeIsWhatAFreshShadeGives) {
    const tVector3d n = Normalize({0.3L, -1, 0.4L});
    struct Inputs {
        TColor32 colour = 0xFF336699;
        bool twoSided = false;
        uint8_t opacity = 255;
        tVector3d eye{0, 1, 0};
    };
    using Change = void (*)(Light3d&, Inputs&);
    const Change changes[] = {
        [](Light3d&, Inputs&) {},   // nothing: the remembered shade itself
        [](Light3d&, Inputs& in) { in.colour = 0xFF996633; },
        [](Light3d&, Inputs& in) { in.twoSided = true; },
        [](Light3d&, Inputs& in) { in.opacity = 90; },
        [](Light3d&, Inputs& in) { in.eye = Normalize({0.1L, 1, -0.2L}); },
        [](Light3d& l, Inputs&) { l.SetHeading({0.2L, 1, 0.1L}); },
        [](Light3d& l, Inputs&) { l.SetModel(2); },
        [](Light3d& l, Inputs&) { l.SetModel(6); },
        [](Light3d& l, Inputs&) { l.Enabled = false; },
        [](Light3d& l, Inputs&) { l.SpecularOn = false; },
        [](Light3d& l, Inputs&) { l.SetAmbient(0.45L); },
        [](Light3d& l, Inputs&) { l.SetDiffuse(0.3L); },
        [](Light3d& l, Inputs&) { l.SetSpecular(0.9L); },
        [](Light3d& l, Inputs&) { l.SetSpecCoef(2); },
        [](Light3d& l, Inputs&) { l.LightColor = 0xFF20FF20; },
    };
    const auto shade = [&](Light3d& light, const Inputs& in, TColor32& colour) {
        colour = in.colour;
        return light.Shade(n, colour, in.twoSided, in.eye, in.opacity);
    };
    for (size_t k = 0; k < std::size(changes); ++k) {
        Light3d remembering, fresh;
        remembering.SetHeading({0, 1, 0});
        fresh.SetHeading({0, 1, 0});
        Inputs in;
        TColor32 colour = 0;
        shade(remembering, in, colour);
        shade(remembering, in, colour);   // the same normal again: now remembered in full
        changes[k](remembering, in);
        Inputs unused;
        changes[k](fresh, unused);
        const uint8_t got = shade(remembering, in, colour);
        // Another normal first: the memory, which serves every light, then holds nothing of n.
        TColor32 other = 0xFF000000;
        fresh.Shade({0, 0, 1}, other, false, in.eye, 255);
        TColor32 freshColour = 0;
        const uint8_t want = shade(fresh, in, freshColour);
        EXPECT_EQ(got, want) << "change " << k;
        EXPECT_EQ(colour, freshColour) << "change " << k;
        EXPECT_EQ(remembering.TwoSided, in.twoSided) << "change " << k;
    }
}

TEST(Light3d, SettersRefuseOutOfRangeValuesWithTheirBoxes) {
    const std::tuple<void (Light3d::*)(Extended), Extended Light3d::*, const char*> cases[] = {
        {&Light3d::SetAmbient, &Light3d::Ambient, "SetAmbient"}, {&Light3d::SetDiffuse, &Light3d::Diffuse, "SetDiffuse"},
        {&Light3d::SetSpecular, &Light3d::Specular, "SetSpecular"}};
    for (const auto& [set, field, name] : cases) {
        ScopedPresenter boxes;
        Light3d light;
        for (Extended value : {0.0L, 1.0L, 1.5L, -0.1L, Extended(std::nan(""))}) (light.*set)(value);
        std::string box = std::string("PaxLight:  Light3d.") + name + " | value must be >= 0 and <= 1";
        EXPECT_EQ(BoxTexts(boxes), (Texts{box, box, box}));
        EXPECT_EQ(boxes.Last().buttons, 258);
        EXPECT_EQ(light.*field, 1);
    }
    ScopedPresenter boxes;
    Light3d light;
    light.SetModel(6);
    light.SetModel(7);
    EXPECT_EQ(light.Model, 6);
    light.SetSpecCoef(8);
    EXPECT_EQ(light.SpecCoef, 8);
    light.SetSpecCoef(0.5L);
    EXPECT_EQ(light.SpecCoef, 1);
    EXPECT_EQ(BoxTexts(boxes), (Texts{"PaxLight:  Light3d.SetModel | model value must be <= 6",
                                      "PaxLight:  Light3d.SetSpecCoef | specular coefficient must be >= 1"}));
}

}  // namespace
}  // namespace pax
