#include "render/windows/object_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "render/window_test_support.h"
#include "scene/pax3d.h"
#include "support/golden.h"
#include "system/exceptions.h"

namespace pax {
namespace {

using testing::CountPixelsNot;
using testing::LastBox;

constexpr int Cx = testing::PictureWidth / 2, Cy = testing::PictureHeight / 2;

struct ObjectWindowTest : ::testing::Test {
    testing::SceneParts scene;
    ObjectWindow window{"view3d", scene.surfaces, scene.sprites, scene.eye, scene.light};
    ProjData pen;
    ObjectWindowTest() { testing::OpenOnPicture(window, scene.surfaces); }
    ~ObjectWindowTest() override { ClearStopRequest(); }
    TBitmap32& Picture() { return scene.surfaces.Drawing; }
    TColor32 Centre() { return Picture().Pixel(Cx, Cy); }
    void At(const tVector3d& p) { window.DoProjection(pen, p, false); }
    void To(const tVector3d& p) { window.DoProjection(pen, p, true); }
    void SetColors(TColor32 line, TColor32 fill) {
        pen.LineDrawColor = line;
        pen.FillDrawColor = fill;
    }
    void Box(TColor32 colour, Extended size) {
        SetColors(colour, colour);
        window.DrawBox(pen, size, size);
    }
    void Finish() {
        window.EndObject();
        window.EndPicture();
    }
};

TEST_F(ObjectWindowTest, IsInactiveUntilItsFirstResetAndRefusesInvalidParts) {
    ObjectWindow fresh{"fresh", scene.surfaces, scene.sprites, scene.eye, scene.light};
    EXPECT_FALSE(fresh.Active());
    try {
        fresh.BeginObject(ObjectShape::General);
        ADD_FAILURE() << "no run-time error";
    } catch (const ERunError& e) {
        EXPECT_EQ(e.Code(), 210);
    }
    EXPECT_THROW(fresh.EndPicture(), ERunError);
    fresh.Reset();
    EXPECT_TRUE(fresh.Active());
    testing::ScopedPresenter presenter;
    tPartHeader part;
    EXPECT_THROW(window.DrawPart(part), ERunError);
    for (uint8_t type : {5, 12, 255}) {
        part.Type = static_cast<PartType>(type);
        window.DrawPart(part);
        EXPECT_EQ(LastBox(presenter), "PaxObj:  ObjectWindow.DrawPart | unknown part type");
    }
    tObjectResetPart reset;
    reset.Type = PartType::ObjectReset;
    reset.Def.Primitives = 7;
    reset.Def.MinX = 3;
    window.DrawPart(reset);
    EXPECT_TRUE(reset.Def.Primitives == 0 && reset.Def.MinX == 99999);
}

// Parts are drawn farthest first; among equal keys the later part is drawn first, so the
// earlier one ends on top. Box colours are scaled by the pen's brightness, 255 by default.
TEST_F(ObjectWindowTest, PartsAreDrawnFarToNearAndTheEarlierOfEqualKeysOnTop) {
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    Box(0xFFFF0000, 20);
    Box(0xFF00FF00, 20);
    window.EndObject();
    EXPECT_EQ(window.PartCount(), 2);
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);   // nothing before the picture ends
    window.EndPicture();
    EXPECT_EQ(Centre(), ScaleColor(0xFFFF0000, 255));
    EXPECT_EQ(window.PictureCount(), 1);
    window.Reset();
    window.SetProjection(Projection::Parallel);   // depth does not move the screen position
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    Box(0xFF00FF00, 10);
    At({0, 500, 0});
    Box(0xFF0000FF, 10);
    Finish();
    EXPECT_EQ(Centre(), ScaleColor(0xFF00FF00, 255));
}

// The walk is the time from Reset to EndPicture, the drawing EndPicture's own; a new picture
// forgets the last one's.
TEST_F(ObjectWindowTest, APictureTimesItsWalkAndTheDrawingOfItsParts) {
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    const auto before = Clock::now();
    window.Reset();
    EXPECT_TRUE(window.LastPictureTimes().walk == 0 && window.LastPictureTimes().drawing == 0);
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    for (int i = 0; i < 200; ++i) Box(0xFF00FF00, 40);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    window.EndObject();
    const auto walked = Clock::now();
    window.EndPicture();
    const auto drawn = Clock::now();
    const ObjectWindow::PictureTimes times = window.LastPictureTimes();
    // The walk ends inside EndPicture, after walked was read: both together lie within the
    // clock reads around the whole picture.
    EXPECT_GE(times.walk, 0.030);
    EXPECT_GT(times.drawing, 0);
    EXPECT_LE(times.drawing, seconds(drawn - walked));
    EXPECT_LE(times.walk + times.drawing, seconds(drawn - before) + 1e-9);
    window.Reset();
    EXPECT_EQ(window.LastPictureTimes().walk, 0);
}

// Parts made while the window had one share carry no rows: raised to two before the picture
// ends, it still draws them alone, and the picture is the one of one thread.
TEST_F(ObjectWindowTest, PartsMadeForOneThreadAreDrawnByOne) {
    const auto draw = [&](int sharesAtReset, int sharesAtEnd) {
        window.SetDrawingShares(sharesAtReset);
        window.Reset();
        Picture().Clear(clBlack32);
        window.BeginObject(ObjectShape::General);
        for (int i = 0; i < 200; ++i) {
            At({Extended(i % 20) * 40 - 400, 0, Extended(i / 20) * 30 - 150});
            Box(0xFF000000u | static_cast<uint32_t>(i * 0x010203), 12);
        }
        window.SetDrawingShares(sharesAtEnd);
        Finish();
        const TBitmap32& p = Picture();
        return std::pair{std::vector<TColor32>(p.Bits(), p.Bits() + size_t(p.Width()) * p.Height()), window.SharedParts()};
    };
    const auto alone = draw(1, 1);
    const auto raised = draw(1, 2);
    const auto shared = draw(2, 2);
    EXPECT_EQ(raised.second, 0);
    EXPECT_EQ(shared.second, 200);
    EXPECT_TRUE(raised.first == alone.first && shared.first == alone.first);
    EXPECT_GT(CountPixelsNot(Picture(), clBlack32), 10000);
}

TEST_F(ObjectWindowTest, AHeldPictureIsDrawnBehindTheNextWalkAsEndPictureWouldDrawIt) {
    window.SetDrawingShares(2);
    const auto pixels = [&] {
        const TBitmap32& p = Picture();
        return std::vector<TColor32>(p.Bits(), p.Bits() + size_t(p.Width()) * p.Height());
    };
    // Boxes, lines and lit circles, placed by variant; with text, a part only one thread draws.
    const auto walk = [&](int variant, bool text) {
        window.BeginObject(ObjectShape::General);
        for (int i = 0; i < 150; ++i) {
            At({Extended(i % 15) * 50 - 350 + variant * 7, Extended(i % 7) * 10, Extended(i / 15) * 30 - 150});
            Box(0xFF000000u | static_cast<uint32_t>((i + variant) * 0x030201), 14);
            SetColors(0xFFFFFFFFu, 0xFF4080C0u);
            To({Extended(i % 15) * 50 - 330, Extended(i % 5) * 10, Extended(i / 15) * 30 - 120 - variant});
            if (i % 10 == 0) window.DrawCircle(pen, 9);
        }
        if (text) window.DrawText(pen, "held");
        window.EndObject();
    };
    const auto drawnAtOnce = [&](int variant, bool text) {
        window.Reset();
        Picture().Clear(clBlack32);
        walk(variant, text);
        window.EndPicture();
        return pixels();
    };
    const std::vector<TColor32> first = drawnAtOnce(1, false), second = drawnAtOnce(2, false);
    const std::vector<TColor32> withText = drawnAtOnce(3, true);
    ASSERT_NE(first, second);

    // Held, the picture is not drawn; drawn behind, it is finished by the next HoldPicture,
    // while the walk between made the next picture's parts. Given its background colour, the
    // threads clear their rows first, whatever the surface held.
    for (const bool background : {false, true}) {
        window.Reset();
        Picture().Clear(clBlack32);
        walk(1, false);
        window.HoldPicture();
        EXPECT_TRUE(window.HoldsPicture());
        EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);
        if (background) Picture().Clear(0xFF204060u);
        window.Reset();
        window.DrawHeldPicture(true, background ? std::optional<TColor32>(clBlack32) : std::nullopt);
        EXPECT_TRUE(window.DrawingBehind());
        walk(2, false);
        window.HoldPicture();
        EXPECT_FALSE(window.DrawingBehind());
        EXPECT_EQ(window.SharedParts(), 150 + 150 + 15);   // boxes, lines, circles
        EXPECT_TRUE(pixels() == first) << background;
    }
    // Drawn without going behind, on the picture's own background.
    Picture().Clear(clBlack32);
    window.Reset();
    window.DrawHeldPicture(false);
    EXPECT_FALSE(window.DrawingBehind());
    EXPECT_FALSE(window.HoldsPicture());
    EXPECT_TRUE(pixels() == second);

    // A picture held on a clear surface, then drawn behind the next walk's Reset.
    const auto heldThenBehind = [&](int variant, bool text) {
        window.Reset();
        Picture().Clear(clBlack32);
        walk(variant, text);
        window.HoldPicture();
        window.Reset();
        window.DrawHeldPicture(true);
    };
    // A text part is drawn before DrawHeldPicture returns, behind or not, on its background.
    heldThenBehind(3, true);
    EXPECT_FALSE(window.DrawingBehind());
    EXPECT_TRUE(pixels() == withText);
    window.Reset();
    Picture().Clear(clBlack32);
    walk(3, true);
    window.HoldPicture();
    Picture().Clear(0xFF204060u);
    window.Reset();
    window.DrawHeldPicture(true, clBlack32);
    EXPECT_FALSE(window.DrawingBehind());
    EXPECT_TRUE(pixels() == withText);

    // A primitive drawn at once during the walk waits for the picture drawn behind.
    heldThenBehind(1, false);
    EXPECT_TRUE(window.DrawingBehind());
    int unseen = 0;
    for (const Extended behindTheEye : {-5000.0L, 5000.0L}) {   // one of them, whichever way the eye looks
        At({0, behindTheEye, 0});
        if (pen.Visible) continue;
        Box(0xFFFF0000u, 5);   // nothing to draw, and nothing to wait for
        ++unseen;
    }
    EXPECT_EQ(unseen, 1);
    EXPECT_TRUE(window.DrawingBehind());
    EXPECT_EQ(window.DrawnAtOnce(), 0);
    At({0, 0, 0});
    Box(0xFFFF0000u, 5);
    EXPECT_FALSE(window.DrawingBehind());
    EXPECT_EQ(window.DrawnAtOnce(), 1);
    window.Reset();
    EXPECT_EQ(window.DrawnAtOnce(), 0);

    // A picture ended at once, and a new figure, drop the held one.
    walk(2, false);
    window.HoldPicture();
    window.Reset();
    window.EndPicture();
    EXPECT_FALSE(window.HoldsPicture());
    window.Reset();
    walk(2, false);
    window.HoldPicture();
    window.ClearAll();
    EXPECT_FALSE(window.HoldsPicture());
}

TEST_F(ObjectWindowTest, TheThirtyTwoThousandAndFirstPartIsReportedOnceAndStops) {
    testing::ScopedStatusErrors errors;
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    for (int i = 0; i < PartList::MaxParts; ++i) window.DrawPoint(pen);
    EXPECT_EQ(window.PartCount(), 32000);
    EXPECT_TRUE(!StopRequested() && errors.Texts().empty());
    window.DrawPoint(pen);
    window.DrawPoint(pen);
    EXPECT_EQ(window.PartCount(), 32000);
    // The derivation ends; the parts made are still drawn.
    EXPECT_TRUE(StopRequested() && !DrawingStopRequested());
    EXPECT_EQ(errors.Texts(), std::vector<std::string>{"PaxObj: ObjectWindow.CreatePart: too many parts"});
    window.EndPicture();
    EXPECT_NE(Centre(), clBlack32);
    window.Reset();   // the next picture may report again
    EXPECT_TRUE(window.PartCount() == 0 && window.PartMemory().PageIndex() == 0);
}

// A user's break or a time limit ends the drawing of the parts too: 32,000 parts that each
// fill a large picture would take minutes.
TEST_F(ObjectWindowTest, ADrawingStopEndsTheDrawingOfTheParts) {
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    Box(0xFF00FF00, 10);
    RequestStop();
    Finish();
    EXPECT_EQ(Centre(), clBlack32);
}

// Inside objects as parts and outside at once, a segment is drawn from its crossing with the
// near plane when it starts behind it, and not at all when it ends behind it.
TEST_F(ObjectWindowTest, SegmentsAreCutAtTheNearPlane) {
    window.LineAntialiasing = false;
    At({100, -990, 0});   // the crossing lies far right of the picture
    To({100, 0, 0});
    EXPECT_EQ(window.PartCount(), 0);
    EXPECT_NE(Picture().Pixel(400, Cy), clBlack32);
    Picture().Clear();
    window.BeginObject(ObjectShape::General);
    At({100, -990, 0});
    To({100, 0, 0});
    At({-100, 0, 0});
    To({-100, -990, 0});
    EXPECT_EQ(window.PartCount(), 1);
    Finish();
    for (int x : {testing::PictureWidth - 1, 400}) EXPECT_NE(Picture().Pixel(x, Cy), clBlack32) << x;
    for (int x : {Cx, 100}) EXPECT_EQ(Picture().Pixel(x, Cy), clBlack32) << x;
}

TEST_F(ObjectWindowTest, LinePartsSitOneUnitNearerTextTwentyAndTextKeepsThirtyOneCharacters) {
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    To({10, 0, 0});
    EXPECT_NEAR(double(pen.Eye.y), 999, 1e-9);
    window.DrawText(pen, "x");
    EXPECT_NEAR(double(pen.Eye.y), 979, 1e-9);
    window.Reset();
    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyzABCD";   // 40
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    pen.TextColor = 0xFFFFFFFF;
    window.DrawText(pen, text);
    Finish();
    TBitmap32 expected(testing::PictureWidth, testing::PictureHeight);
    expected.Clear(clBlack32);
    expected.Font.Color = 0xFFFFFFFF;
    expected.TextOut(Cx - 4, Cy - 8, text.substr(0, 31));
    EXPECT_GT(CountPixelsNot(expected, clBlack32), 50);
    EXPECT_TRUE(std::equal(expected.Bits(), expected.Bits() + expected.Width() * expected.Height(), Picture().Bits()));
}

TEST_F(ObjectWindowTest, OnlyPenDownVisiblePrimitivesMakePartsAndPointsOnlyInsideObjects) {
    At({0, 0, 0});
    window.DrawPoint(pen);
    window.EndPicture();
    EXPECT_TRUE(window.PartCount() == 0 && CountPixelsNot(Picture(), clBlack32) == 0);
    window.BeginObject(ObjectShape::General);
    pen.PenIsDown = false;
    window.DrawText(pen, "up");
    window.DrawPoint(pen);
    pen.PenIsDown = true;
    At({0, -999, 0});   // behind the near plane
    window.DrawText(pen, "behind");
    window.DrawCircle(pen, 10);
    EXPECT_EQ(window.PartCount(), 0);
    At({0, 0, 0});
    window.DrawPoint(pen);
    Finish();
    EXPECT_NE(Centre(), clBlack32);
}

// A polygon facing the eye: its normal points straight at it, so the yellow normal line is a
// point at the centre, drawn over the fill. Circles are lit when the light is on, otherwise
// scaled by their brightness alone.
TEST_F(ObjectWindowTest, PolygonAndCirclePartsAreShadedByTheLightModel) {
    Switches()[Switch::ShowNormals] = true;
    ConfigValues().NormalLength = 200;
    window.Reset();
    SetColors(0xFFFFFFFF, 0xFF2080C0);
    window.BeginObject(ObjectShape::General);
    window.DoBeginPolyon(pen, true);
    for (tVector3d p : {tVector3d{-50, 0, -50}, {50, 0, -50}, {50, 0, 50}, {-50, 0, 50}}) To(p);
    window.DoEndPolygon(pen);
    window.EndObject();
    ASSERT_EQ(window.PartCount(), 1);
    window.EndPicture();
    TColor32 fill = 0xFF2080C0;
    const uint8_t intensity = scene.light.Shade({0, -1, 0}, fill, false, scene.eye.Heading(), 255);
    EXPECT_EQ(Picture().Pixel(Cx + 20, Cy + 15), ScaleColor(fill, intensity));
    EXPECT_TRUE(Picture().Pixel(Cx + 40, Cy) == clBlack32 && !window.PlaneObject().IsOpen());
    for (bool lightOn : {true, false}) {
        Switches()[Switch::LightIsOn] = lightOn;
        window.Reset();
        SetColors(0xFFFFFFFF, 0xFF80C0FF);
        window.BeginObject(ObjectShape::General);
        At({0, 0, 0});
        window.DrawCircle(pen, 50);
        Finish();
        TColor32 lit = 0xFF80C0FF;
        const uint8_t i = scene.light.Shade({0, -1, 0}, lit, false, scene.eye.Heading(), 255);
        EXPECT_EQ(Centre(), lightOn ? ScaleColor(lit, i * 255 / 256) : ScaleColor(0xFF80C0FF, 255));
    }
}

// A face keeps its normal and first corner in space (two extended vectors) only while normals
// are shown: otherwise its record is the record and its corners, so that drawing it reads one
// or two cache lines. Either way the face looks the same, and the normal is drawn when shown.
TEST_F(ObjectWindowTest, AFaceRecordsItsNormalOnlyWhileNormalsAreShown) {
    ConfigValues().NormalLength = 100;
    const auto yellowish = [&] {
        int count = 0;
        for (int y = 0; y < Picture().Height(); ++y)
            for (int x = 0; x < Picture().Width(); ++x) {
                const TColor32 c = Picture().Pixel(x, y);
                count += RedOf(c) > 0 && RedOf(c) == GreenOf(c) && BlueOf(c) == 0;
            }
        return count;
    };
    std::vector<TColor32> fills;
    for (bool shown : {false, true}) {
        Switches()[Switch::ShowNormals] = shown;
        window.Reset();
        Picture().Clear(clBlack32);
        SetColors(0xFFFFFFFF, 0xFF2080C0);
        window.BeginObject(ObjectShape::General);
        window.DoBeginPolyon(pen, true);
        // Tilted about the depth axis: the normal leans sideways on the screen.
        for (tVector3d p : {tVector3d{-50, 0, -50}, {50, 40, -50}, {50, 40, 50}, {-50, 0, 50}}) To(p);
        const size_t before = window.PartMemory().Free();
        window.DoEndPolygon(pen);
        window.EndObject();
        ASSERT_EQ(window.PartCount(), 1);
        const size_t corners = 4 * sizeof(tPoint2f);
        EXPECT_EQ(window.PartMemory().Free() - before,
                  shown ? (sizeof(tPolygonPart) + corners + 15) / 16 * 16 + sizeof(tPolygonNormal)
                        : sizeof(tPolygonPart) + corners);
        window.EndPicture();
        fills.push_back(Picture().Pixel(Cx, Cy + 10));
        EXPECT_EQ(yellowish() > 20, shown) << shown;
    }
    EXPECT_EQ(fills[0], fills[1]);
    EXPECT_NE(fills[0], clBlack32);
}

TEST_F(ObjectWindowTest, SpritePartsAreTintedAndBlended) {
    TBitmap32& sprite = scene.sprites.GetSprite(20);
    sprite.SetSize(8, 8);
    sprite.Clear(0xFFFFFFFF);
    window.SetSpriteId(20);
    window.BeginObject(ObjectShape::General);
    At({0, 0, 0});
    window.DrawSprite(pen, 0xFFFF0000);
    Finish();
    EXPECT_EQ(sprite.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(RedOf(Centre()), 254);   // alpha 255 * 255 / 256
    EXPECT_EQ(Picture().Pixel(Cx + 4, Cy), clBlack32);
    EXPECT_NE(Picture().Pixel(Cx - 4, Cy - 4), clBlack32);
}

// The z-buffer's run is composed at the end of the picture: its first pixel as it is.
TEST_F(ObjectWindowTest, ZBufferedSegmentsAreComposedUnderTheParts) {
    Switches()[Switch::ZBuffer] = true;
    window.Reset();
    window.BeginObject(ObjectShape::General);
    At({-100, 0, 0});
    To({100, 0, 0});
    EXPECT_TRUE(window.PartCount() == 0 && CountPixelsNot(Picture(), clBlack32) == 0);
    Finish();
    int first = 0;
    while (first < testing::PictureWidth && scene.surfaces.ZBuffer.ColorPlane().Pixel(first, Cy) == 0) ++first;
    ASSERT_LT(first, Cx);
    EXPECT_EQ(Picture().Pixel(first, Cy), pen.LineDrawColor);
}

// A small scene: a star of lines, a filled square and a circle, drawn with the turtle.
TEST_F(ObjectWindowTest, SmallSceneMatchesItsGoldenPicture) {
    Pax3d pax("Pax");
    pax.SetWindow(&window);
    pax.Reset();
    window.BeginObject(ObjectShape::General);
    pax.SetColor(0xFFFFFF00);
    pax.PitchUp90();   // the turtle now walks up the picture, facing the eye
    pax.JumpBack(60);
    pax.JumpLeft(40);
    for (int i = 0; i < 5; ++i) {
        pax.DrawForward(150);
        pax.TurnRight(144);
    }
    pax.JumpHome();
    pax.JumpLeft(200);
    pax.JumpBack(100);
    pax.SetLineColor(0xFFFFFFFF);
    pax.SetFillColor(0xFF3070E0);
    pax.BeginPlane();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) pax.TurnRight90();
        pax.DrawForward(80);
    }
    pax.EndPlane();
    pax.Reset();
    pax.JumpRight(150);
    pax.JumpUp(60);
    pax.SetLineColor(0xFF40FF40);
    pax.SetFillColor(0xFFE04020);
    window.DrawCircle(pax.Pen(), 40);
    Finish();
    pax.SetWindow(nullptr);
    EXPECT_GE(window.PartCount(), 7);
    testing::ExpectMatchesGolden(Picture(), "render/object_window_scene", 2, 20);
}

}  // namespace
}  // namespace pax
