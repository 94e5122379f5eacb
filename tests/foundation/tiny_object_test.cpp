#include "foundation/tiny_object.h"

#include <gtest/gtest.h>

#include <sstream>

#include "foundation/short_text.h"

namespace pax {
namespace {

TEST(TinyObject, NameIsCutToThirtyCharacters) {
    tTinyObject object(std::string(40, 'a'));
    EXPECT_EQ(object.Name(), std::string(30, 'a'));
    object.SetName("short");
    EXPECT_EQ(object.Name(), "short");
}

TEST(TinyObject, CutNeverSplitsAMultiByteCharacter) {
    std::string umlauts;
    for (int i = 0; i < 31; ++i) umlauts += "\xC3\xA4";  // 31 times a-umlaut, 62 bytes
    EXPECT_EQ(CutText(umlauts, 30), umlauts.substr(0, 60));
    EXPECT_EQ(CutText("abc", 30), "abc");
    EXPECT_EQ(CutText("abc", 0), "");
}

TEST(TinyObject, PlainTextIsAddressKindAndName) {
    tTinyObject object("cube", TypeIds::Text);
    EXPECT_EQ(object.TypeId(), TypeIds::Text);
    EXPECT_EQ(object.GetText(), AddressText(&object) + " tTinyObject: name=cube");
    std::string address = AddressText(&object);
    EXPECT_GE(address.size(), 8u);
    EXPECT_EQ(address.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST(TinyObject, PrintIndentsTheDescription) {
    tTinyObject object("cube");
    std::ostringstream out;
    object.Print(out, 3);
    EXPECT_EQ(out.str(), "   " + object.GetText() + "\n");
}

}  // namespace
}  // namespace pax
