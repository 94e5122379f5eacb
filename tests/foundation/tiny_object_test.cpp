#include "foundation/tiny_object.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pax {
namespace {

TEST(TinyObject, NameIsCutToThirtyCharacters) {
    tTinyObject object(std::string(40, 'a'));
    EXPECT_EQ(object.Name(), std::string(30, 'a'));
    object.SetName("short");
    EXPECT_EQ(object.Name(), "short");
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
