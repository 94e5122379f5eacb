#include "foundation/tiny_object.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pax {
namespace {

TEST(TinyObject, NameIsCutToThirtyAndTheTextIsAddressKindAndNameIndentedWhenPrinted) {
    EXPECT_EQ(tTinyObject(std::string(40, 'a')).Name(), std::string(30, 'a'));
    tTinyObject object("cube", TypeIds::Text);
    EXPECT_EQ(object.TypeId(), TypeIds::Text);
    std::string address = AddressText(&object);
    EXPECT_GE(address.size(), 8u);
    EXPECT_EQ(address.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(object.GetText(), address + " tTinyObject: name=cube");
    std::ostringstream out;
    object.Print(out, 3);
    EXPECT_EQ(out.str(), "   " + object.GetText() + "\n");
}

}  // namespace
}  // namespace pax
