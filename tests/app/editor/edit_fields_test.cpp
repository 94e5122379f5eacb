#include "app/editor/edit_fields.h"

#include <gtest/gtest.h>

#include "lsystem/ls_def.h"
#include "lsystem/ls_system.h"
#include "lsystem/vl_system.h"

namespace pax {
namespace {

TEST(EditFields, PairedFieldsWriteTheOtherSideOnly) {
    EditFields f;
    f.Angle.SetText("22.5");
    EXPECT_EQ(f.Angle.Spin, 2250);
    EXPECT_EQ(f.Angle.Text, "22.5");
    f.Angle.SetSpin(3000);
    EXPECT_EQ(f.Angle.Text, "30");
    f.Factor.SetSpin(850);
    EXPECT_EQ(f.Factor.Text, "0.85");
    f.Thick.SetText("2,5");
    EXPECT_EQ(f.Thick.Spin, 250);
    // Beyond its range the spin stops at its end; the text keeps what was typed.
    f.Angle.SetText("360");
    EXPECT_EQ(f.Angle.Spin, 18000);
    EXPECT_EQ(f.Angle.Text, "360");
    // Not a number: the spin stays.
    f.Angle.SetText("3x");
    EXPECT_EQ(f.Angle.Spin, 18000);
    // Typing stops at the capacity.
    f.Factor.SetText("0.123456");
    EXPECT_EQ(f.Factor.Text, "0.123");
    f.SetName(std::string(40, 'n'));
    EXPECT_EQ(f.Name.size(), EditFields::NameCapacity);
}

TEST(EditFields, ValidityNeedsNameAxiomFirstRuleAndNumbers) {
    EditFields f;
    f.Name = "n";
    f.Axiom = "F";
    EXPECT_FALSE(f.Valid());   // no rule
    f.AddRow(-1);
    EXPECT_FALSE(f.Valid());   // an empty first row
    f.SetCell(0, 0, "=");
    EXPECT_FALSE(f.Valid());
    f.SetCell(0, 0, " FG");
    EXPECT_EQ(f.Rules[0].Symbol, "F");
    EXPECT_TRUE(f.Valid());
    f.Name = "  ";
    EXPECT_FALSE(f.Valid());
    f.Name = "n";
    f.Factor.SetText("0.8.1");
    EXPECT_FALSE(f.Valid());
    EXPECT_EQ(f.Definition(), std::nullopt);
}

TEST(EditFields, GridRowsMakeTheRulesInOrder) {
    EditFields f;
    f.Name = "n";
    f.Axiom = std::string("X");   // a literal assigned here trips a false -Wrestrict of GCC 12
    for (const char* symbol : {"X", "", "F"}) f.SetCell(*f.AddRow(99), 0, symbol);
    f.SetCell(0, 1, "F[+X]");
    f.SetCell(2, 1, "FF");
    EXPECT_EQ(f.MoveRow(2, -5), 0);
    f.DeleteRow(2);   // the empty row
    f.Angle.SetText("25.7");
    std::optional<tLSDef> def = f.Definition();
    ASSERT_TRUE(def);
    EXPECT_EQ(def->rules, (std::vector<std::string>{"F=FF", "X=F[+X]"}));
    EXPECT_DOUBLE_EQ(static_cast<double>(def->angle), 25.7);
    EXPECT_EQ(def->step, 100);
    for (int i = 0; i < EditFields::MaxRows; ++i) f.AddRow(0);
    EXPECT_EQ(f.AddRow(0), std::nullopt);
}

TEST(EditFields, FillFromANodeAndFromTheSystemItBecomes) {
    tVLSystem node;
    node.name = "Bush";
    node.axiom = "A";
    node.angle = 137.5L;
    node.factor = 0.33333L;
    node.deep = 444;
    node.rules = {"A:*+x~2A", "x=gx", "§=F"};
    EditFields f;
    f.Fill(node);
    EXPECT_EQ(f.Angle.Text, "137.5");
    EXPECT_EQ(f.Factor.Text, "0.33333");   // every digit, though typing stops at five
    EXPECT_EQ(f.Deep, 99);
    ASSERT_EQ(f.Rules.size(), 3u);
    EXPECT_EQ(f.Rules[0], (RuleRow{"A", "*+x~2A"}));
    EXPECT_EQ(f.Rules[2], (RuleRow{"§", "F"}));

    EditFields g;
    g.Fill(ToLSystem(*f.Definition()));
    EXPECT_EQ(g.Rules, f.Rules);
    EXPECT_EQ(g.Factor.Text, f.Factor.Text);
    EXPECT_EQ(g.Deep, 99);
}

}  // namespace
}  // namespace pax
