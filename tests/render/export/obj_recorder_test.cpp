#include "render/export/obj_recorder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pax {
namespace {

int CountLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);) n += line.starts_with(prefix);
    return n;
}

// z up becomes y up: (x, y, z) -> (x, z, -y); the model names its materials' file, and a
// colour's channels and alpha are its material's Kd and d.
TEST(ObjRecorder, TurnsZUpIntoYUpAndWritesOneMaterialPerColour) {
    EXPECT_EQ(ToYUp({1, 2, 3}), (tObjVertex{1, 3, -2}));
    ObjRecorder obj;
    obj.Segment({0, 0, 0}, {1, 2, 3}, 0xFF804020);
    obj.Segment({1, 2, 3}, {1, 2, 4}, 0xFF804020);   // continues: the same "l"
    obj.Segment({5, 5, 5}, {5, 5, 5}, 0xFF804020);   // no extent: dropped
    const tVector3d square[] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {1, 0, 1}, {0, 0, 1}};
    obj.Face(square, {0, -1, 0}, 0x80FFFFFF);
    const std::string model = obj.Model("m.mtl");
    EXPECT_NE(model.find("mtllib m.mtl\n"), std::string::npos);
    EXPECT_NE(model.find("v 1 3 -2\n"), std::string::npos);
    EXPECT_NE(model.find("vn 0 0 1\n"), std::string::npos);   // -y is towards +z
    EXPECT_NE(model.find("l 1 2 3\n"), std::string::npos);
    EXPECT_NE(model.find("f 1//1 4//1 5//1 6//1\n"), std::string::npos);   // the repeated corner once
    EXPECT_EQ(CountLines(model, "v "), 6);
    EXPECT_EQ(obj.Counts().dropped, 1);
    EXPECT_EQ(obj.Materials(),
              "# Pax3d materials: one per colour\n"
              "\nnewmtl colour_804020\nKd 0.502 0.251 0.125\nKa 0 0 0\nKs 0 0 0\nd 1\nillum 1\n"
              "\nnewmtl colour_ffffff_80\nKd 1 1 1\nKa 0 0 0\nKs 0 0 0\nd 0.502\nillum 1\n");
}

}  // namespace
}  // namespace pax
