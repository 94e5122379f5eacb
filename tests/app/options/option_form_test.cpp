#include "app/options/option_form.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/app_test_support.h"
#include "app/basic_animations.h"
#include "app/demo_player.h"
#include "app/studio.h"
#include "render/colour/filters.h"
#include "render/fonts/font3d.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/light3d.h"
#include "support/scripted_presenter.h"
#include "system/exceptions.h"
#include "system/settings.h"

namespace pax {
namespace {

using I = OptionId;

struct RecordingFonts : FontSelection {
    void SelectFont(int n) override { selected.push_back(n); }
    std::vector<int> selected;
};

struct Options : ::testing::Test {
    Options() {
        studio.SetCallbacks(&callbacks);
        options.SetFontSelection(&fonts);
        options.SetView([this] { ++updates; });
        options.SeedRandom(7);
    }
    ~Options() override {
        options.SetView({});
        options.SetFontSelection(nullptr);
        studio.SetCallbacks(nullptr);
    }

    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    Studio studio{testing::Headless()};
    testing::RecordingCallbacks callbacks;
    RecordingFonts fonts;
    OptionForm& options = studio.Options();
    Light3d& light = studio.GetStage().Light();
    int updates = 0;
};

TEST_F(Options, EveryControlStoresWhatItShowsAcrossItsRange) {
    for (const OptionControl& c : OptionControls()) {
        if (c.Id == I::BasicAnimation) continue;   // the animation keeps its own number; below
        for (int32_t p : {c.Min, c.Middle(), c.Max, c.Min - 5, c.Max + 5}) {
            options.Change(c.Id, p);
            EXPECT_EQ(options.Position(c.Id), std::clamp(p, c.Min, c.Max)) << c.Caption << " " << p;
            if (c.Kind == ControlKind::Check) {
                EXPECT_EQ(Switches()[c.Switch], p > 0) << c.Caption;
            }
        }
    }
    options.Change(I::BasicAnimation, 5);
    EXPECT_EQ(ConfigValues().BasicAnimation, 5);
    EXPECT_EQ(options.LabelText(I::BasicAnimation), "anim: spin");
}

TEST_F(Options, ControlsReachTheEngineAndTheSettings) {
    options.Change(I::Exponent, 10);   // the smallest coefficient the light accepts
    EXPECT_EQ(light.SpecCoef, 1.0L);
    EXPECT_EQ(ConfigValues().ReflectionCoeff, 10);
    options.Change(I::Ambient, 40);
    EXPECT_EQ(light.Ambient, 0.4L);
    options.Change(I::LightModel, 6);
    EXPECT_EQ(light.Model, 6);
    options.Change(I::LightIsOn, 0);
    EXPECT_FALSE(light.Enabled);
    const int before = updates;
    SetSwitch(Switch::LightIsOn, true);   // a key of the main window: the light and the dialog follow
    EXPECT_TRUE(light.Enabled);
    EXPECT_EQ(updates, before + 1);
    options.Change(I::Highlights, 0);
    EXPECT_FALSE(light.SpecularOn);
    options.Change(I::SpriteId, 17);
    EXPECT_EQ(studio.GetStage().View().SpriteId(), 17);

    options.Change(I::Font, 1);
    EXPECT_EQ(ConfigValues().Font, 0);
    EXPECT_EQ(fonts.selected, std::vector<int>{0});
    options.Change(I::Font, 12);
    EXPECT_EQ(options.LabelText(I::Font), "????");

    options.Change(I::NextDemo, 0);
    EXPECT_EQ(callbacks.nextDemoInterval, 600 * 1000);
    options.Change(I::NextDemo, 45);
    EXPECT_EQ(callbacks.nextDemoInterval, 45 * 1000);

    options.Change(I::RotateY, -15);
    options.Change(I::TimeZ, 25);
    options.Change(I::DistanceX, 150);
    EXPECT_EQ(ConfigValues().Rotate, (tConfigVector{0, -1.5L, 0}));
    EXPECT_EQ(ConfigValues().Times.z, 2.5L);
    EXPECT_EQ(ConfigValues().Distance.x, 150);
    EXPECT_EQ(options.LabelText(I::RotateY), "-1.5");
    EXPECT_EQ(options.LabelText(I::FilterSlider), FilterName(options.Position(I::FilterSlider)));
    EXPECT_GT(updates, 0);
}

TEST_F(Options, TheFontSliderSelectsTheStageFontAndWrapsPastTheLast) {
    options.SetFontSelection(nullptr);
    options.Change(I::Font, 3);
    EXPECT_EQ(studio.GetStage().Font().FontName, "BLCK");
    EXPECT_EQ(options.LabelText(I::Font), "BLCK");
    options.Change(I::Font, 12);   // number 11 is no font: the first again
    EXPECT_EQ(ConfigValues().Font, 0);
    EXPECT_EQ(options.Position(I::Font), 1);
    EXPECT_EQ(options.LabelText(I::Font), "LITT");
}

TEST_F(Options, PresetsSetTheLightAndOnlyFullColourLightsBothSides) {
    for (size_t i = 0; i < LightPresets().size(); ++i) {
        const LightPreset& p = LightPresets()[i];
        options.ChooseLightPreset(static_cast<int>(i));
        EXPECT_EQ(Switches()[Switch::DoubleSidedPlanes], p.Name == " full color") << p.Name;
        EXPECT_EQ(light.Model, p.Model);
        EXPECT_EQ(light.Diffuse, p.Diffuse / 100.0L);
        EXPECT_EQ(light.SpecCoef, p.Exponent / 10.0L);
        EXPECT_EQ(options.Position(I::Specular), p.Specular);
    }
    const tConfigValues before = ConfigValues();
    options.ChooseLightPreset(5);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption + "|" + boxes.Last().text, "PaxOption: OptionForm.ComboBoxLightClick|wrong selection index");
    EXPECT_EQ(ConfigValues(), before);
}

TEST_F(Options, ResetRestoresOneGroupAndLeavesTheOthers) {
    options.Change(I::CullFace, 1);
    options.Change(I::LineThickness, 7);
    options.Change(I::Font, 3);
    options.Change(I::Ambient, 90);
    fonts.selected.clear();
    options.Group(OptionTab::Drawing, GroupAction::Reset);
    EXPECT_FALSE(Switches()[Switch::ConvexObject]);
    EXPECT_EQ(ConfigValues().LineThickness, 1);
    EXPECT_EQ(ConfigValues().Font, 5);
    EXPECT_EQ(fonts.selected, std::vector<int>{5});
    EXPECT_EQ(ConfigValues().AmbientLight, 90);

    options.Group(OptionTab::Light, GroupAction::Reset);
    EXPECT_EQ(ConfigValues().AmbientLight, 30);
    EXPECT_EQ(light.Ambient, 0.3L);
    EXPECT_EQ(light.LightColor, 0xFFFFFF80u);

    // The default animation is selected as a change, so its ghost is prepared.
    options.Change(I::BasicAnimation, 1);
    options.Change(I::CallingDeep, 4);
    options.Group(OptionTab::Animation, GroupAction::Reset);
    EXPECT_EQ(ConfigValues().BasicAnimation, 3);
    EXPECT_EQ(studio.Animations().ProcCount(), 1);
    EXPECT_EQ(ConfigValues().CallingDeep, 1);
    EXPECT_EQ(callbacks.nextDemoInterval, 600 * 1000);
}

TEST_F(Options, FastMaximumAndRandomKeepToTheirRules) {
    options.Change(I::ShowAxis, 1);
    options.Change(I::FillTransparency, 200);
    options.Group(OptionTab::Drawing, GroupAction::Fast);
    const tSwitches& sw = Switches();
    EXPECT_TRUE(sw[Switch::ConvexObject] && sw[Switch::PolygonFilling] && sw[Switch::PolygonBorder]);
    EXPECT_FALSE(sw[Switch::ShowAxis] || sw[Switch::AntiAliasedLine] || sw[Switch::AntiAliasedPolygon]);
    EXPECT_EQ(ConfigValues().FillTransparency, 0);

    options.Group(OptionTab::BasicValues, GroupAction::Maximum);
    EXPECT_EQ(ConfigValues().Radius, 400);
    EXPECT_EQ(ConfigValues().Objects, 40);
    options.Group(OptionTab::Light, GroupAction::Maximum);   // not a light button: nothing
    EXPECT_EQ(ConfigValues().AmbientLight, 30);

    // Every random position lies in its slider's range, and each bound is reached.
    std::vector<bool> sawMin(OptionIdCount), sawMax(OptionIdCount);
    for (int round = 0; round < 300; ++round) {
        for (OptionTab tab : {OptionTab::Background, OptionTab::Drawing, OptionTab::Light, OptionTab::BasicValues,
                              OptionTab::Animation})
            options.Group(tab, GroupAction::Random);
        for (const OptionControl& c : OptionControls()) {
            const size_t i = static_cast<size_t>(c.Id);
            sawMin[i] = sawMin[i] || options.Position(c.Id) == c.Min;
            sawMax[i] = sawMax[i] || options.Position(c.Id) == c.Max;
        }
    }
    for (I id : {I::Picture, I::FilterSlider, I::CyclingSpeed, I::LightModel, I::Exponent, I::Segments,
                 I::TimeZ}) {
        EXPECT_TRUE(sawMin[static_cast<size_t>(id)] && sawMax[static_cast<size_t>(id)]) << ControlOf(id).Caption;
    }
    // Random leaves the controls its group does not name.
    EXPECT_EQ(ConfigValues().LineThickness, 1);
    EXPECT_EQ(ConfigValues().BasicAnimation, 3);
}

TEST_F(Options, FigureValuesAreDefinedByFiguresAndHiddenForTheNext) {
    options.DefineFigureValue(3, "angle", 1, 0, 5, 7);
    const tFigureValue& v = options.Figures().Slot(3);
    EXPECT_EQ(v.SliderMin(), 0);
    EXPECT_EQ(v.SliderMax(), 50);
    EXPECT_EQ(v.Position, 25);
    EXPECT_EQ(options.FloatValue(3), 2.5L);
    EXPECT_TRUE(v.Visible);
    options.ChangeFigureValue(3, 49);
    EXPECT_EQ(options.FloatValue(3), 4.9L);
    options.CentreTag(FigureValues::FirstTag + 2);
    EXPECT_EQ(options.IntValue(3), 25);
    options.CentreTag(42);
    EXPECT_EQ(ConfigValues().Radius, 200);
    options.CentreTag(48);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "gauge bar has wrong tag number");

    // Outside 1 .. 16 the figure's definition is refused with the range in the text.
    try {
        options.DefineFigureValue(17, "x", 0, 0, 1, 0);
        ADD_FAILURE() << "no exception";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "17 is not within the valid range of 1 .. 16");
    }
    options.DefineFigureValue(16, "count", 0, -10, 300, 280);
    options.SetFigureValue(16, 1000);   // limited to the range
    EXPECT_EQ(options.IntValue(16), 300);
    EXPECT_EQ(options.ByteValue(16), 255);
    options.SetFigureValue(16, -4.6L);
    EXPECT_EQ(options.IntValue(16), -5);
    EXPECT_EQ(options.ByteValue(16), 0);

    studio.Player().ShowDemo(0, 1);
    EXPECT_FALSE(options.Figures().AnyVisible());
    EXPECT_EQ(options.Figures().Slot(3).Scale, 1);
}

}  // namespace
}  // namespace pax
