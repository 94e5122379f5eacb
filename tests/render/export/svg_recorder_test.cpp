#include "render/export/svg_recorder.h"

#include <gtest/gtest.h>

#include "render/window_test_support.h"
#include "render/windows/object_window.h"
#include "support/xml_elements.h"

namespace pax {
namespace {

using testing::ReadXmlElements;

// A far red box and a near green line, drawn in the other order: the document lists them
// far to near, each with its exact colour, after the background.
TEST(SvgRecorder, ListsTheObjectWindowsPartsFarToNearWithTheirColours) {
    testing::SceneParts scene;
    ObjectWindow window{"view3d", scene.surfaces, scene.sprites, scene.eye, scene.light};
    testing::OpenOnPicture(window, scene.surfaces);
    SvgRecorder svg(testing::PictureWidth, testing::PictureHeight, 0x00102030);
    window.SetVectorSink(&svg);
    ProjData pen;
    window.BeginObject(ObjectShape::General);
    pen.LineDrawColor = 0x8000FF00;
    window.DoProjection(pen, {-50, 0, 0}, false);
    window.DoProjection(pen, {50, 0, 0}, true);
    pen.LineDrawColor = pen.FillDrawColor = 0xFFFF0000;
    window.DoProjection(pen, {0, 400, 0}, false);
    window.DrawBox(pen, 20, 20);
    window.EndObject();
    window.EndPicture();

    const auto elements = ReadXmlElements(svg.Document());
    ASSERT_EQ(elements.size(), 6u);   // svg, g, background, box fill, box frame, line
    EXPECT_EQ(elements[0].attributes.at("width"), "480");
    EXPECT_EQ(elements[2].attributes.at("fill"), "#102030");   // made opaque: no opacity
    EXPECT_EQ(elements[2].attributes.count("fill-opacity"), 0u);
    // The box's colour as the surface got it: scaled by the pen's brightness.
    const int boxX = std::stoi(elements[3].attributes.at("x")) + 1, boxY = std::stoi(elements[3].attributes.at("y")) + 1;
    const std::string boxColour = SvgColour(scene.surfaces.Drawing.Pixel(boxX, boxY));
    EXPECT_EQ(boxColour, "#fe0000");
    EXPECT_EQ(elements[3].attributes.at("fill"), boxColour);
    EXPECT_EQ(elements[4].attributes.at("stroke"), boxColour);
    EXPECT_EQ(elements[5].name, "line");
    EXPECT_EQ(elements[5].attributes.at("stroke"), "#00ff00");
    EXPECT_EQ(elements[5].attributes.at("stroke-opacity"), "0.502");
    EXPECT_EQ(svg.Counts().rects, 2);
    EXPECT_EQ(svg.Counts().segments, 1);
}

// Continuing lines of one colour join in either direction; a change of colour, a gap or any
// other element between them ends the run.
TEST(SvgRecorder, JoinsContinuingLinesOfOneColourIntoPolylines) {
    SvgRecorder svg(10, 10, clBlack32);
    const auto line = [&](double x1, double y1, double x2, double y2, TColor32 c = 0xFFFFFFFF) {
        svg.Line({x1, y1}, {x2, y2}, c, VectorSmoothing::Antialiased);
    };
    line(0, 0, 1, 0);
    line(1, 0, 2, 1);
    line(2, 1, 3, 1);   // one polyline of four points
    line(5, 5, 4, 4);
    line(4, 4, 3, 3);   // drawn backwards: one polyline of three
    line(3, 3, 2, 2, 0xFFFF0000);   // another colour: a line of its own
    line(0, 9, 1, 9);
    svg.Point({7, 7}, 0xFFFFFFFF);
    line(1, 9, 2, 9);   // after another element: a line again
    const auto elements = ReadXmlElements(svg.Document());
    EXPECT_EQ(testing::CountElements(elements, "polyline"), 2);
    EXPECT_EQ(testing::CountElements(elements, "line"), 3);
    EXPECT_EQ(elements[3].attributes.at("points"), "0.5,0.5 1.5,0.5 2.5,1.5 3.5,1.5");
    EXPECT_EQ(elements[4].attributes.at("points"), "5.5,5.5 4.5,4.5 3.5,3.5");
    EXPECT_EQ(svg.Counts().segments, 8);
}

TEST(SvgRecorder, EscapesTextAndEmbedsEachDistinctPictureOnce) {
    SvgRecorder svg(64, 64, clBlack32);
    svg.Text(3, 4, "a<b & \"c\"\x1b", 0xFFFFFF00, 11, true);
    TBitmap32 sprite(2, 2);
    sprite.Clear(0xFF00FF00);
    svg.Image(sprite, 10, 10, 20, 30, 128);
    svg.Image(sprite, 30, 30, 32, 32, 255);
    const std::string document = svg.Document();
    const auto elements = ReadXmlElements(document);
    EXPECT_EQ(testing::CountElements(elements, "image"), 1);
    EXPECT_EQ(testing::CountElements(elements, "use"), 2);
    const auto text = std::find_if(elements.begin(), elements.end(), [](auto& e) { return e.name == "text"; });
    ASSERT_NE(text, elements.end());
    EXPECT_EQ(text->text, "a&lt;b &amp; &quot;c&quot;?");
    EXPECT_NE(document.find("transform=\"translate(10 10) scale(5 10)\" opacity=\"0.502\""), std::string::npos);
}

}  // namespace
}  // namespace pax
