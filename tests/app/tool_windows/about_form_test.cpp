#include "app/tool_windows/about_form.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(AboutForm, ScreenTextsNameTheColourDepthAndAnUnknownRate) {
    const std::pair<int, const char*> depths[] = {
        {1, "1"},           {4, "4 (Palette 16)"},  {8, "8 (Palette 256)"}, {15, "15 (Hi Color)"},
        {16, "16 (Hi Color)"}, {24, "24 (True Color)"}, {32, "32 (True Color)"}, {33, "33"},
    };
    for (const auto& [bits, text] : depths) EXPECT_EQ(AboutForm::BitsPerPixelText(bits), text);
    EXPECT_EQ(AboutForm::RefreshRateText(0), "? Hz");
    EXPECT_EQ(AboutForm::RefreshRateText(75), "75 Hz");
    EXPECT_EQ(AboutForm::MegabyteText(3ull * 1024 * 1024 - 1), "2 MB");

    // Every label of the pages has a value; what Linux lacks reads "not available".
    for (const InfoLine& line : AboutForm::OperatingSystemInfo()) EXPECT_FALSE(line.Value.empty()) << line.Label;
    for (const InfoLine& line : AboutForm::HardwareInfo({})) EXPECT_FALSE(line.Value.empty()) << line.Label;
    EXPECT_EQ(AboutForm::HardwareInfo({}).back().Value, AboutForm::NotAvailable);   // no mouse told
}

}  // namespace
}  // namespace pax
