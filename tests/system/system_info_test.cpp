#include <gtest/gtest.h>

#include "system/display_info.h"
#include "system/system_info.h"

namespace pax {
namespace {

using namespace SystemInfo;

TEST(SystemInfo, OperatingSystemNameBuildAndLanguage) {
    EXPECT_EQ(OperatingSystemNameFrom("Linux", "6.1.0-18-amd64"), "Linux 6.1.0");
    EXPECT_EQ(OperatingSystemNameFrom("", "1.0"), "unknown OS");
    EXPECT_EQ(ServicePackFrom("6.1.0-18-amd64", "#1 SMP Debian 6.1.76-1"), "#1 SMP Debian 6.1.76-1, Build 18");
    EXPECT_EQ(ServicePackFrom("6.1.0", "#1 SMP"), "#1 SMP");
    EXPECT_EQ(ServicePackFrom("6.1.0-rc1", "#2"), "#2");
    EXPECT_EQ(OperatingSystemName().rfind("Linux ", 0), 0u);
    EXPECT_EQ(LanguageFrom(nullptr, nullptr, "en_US.UTF-8"), "en_US");
    EXPECT_EQ(LanguageFrom("de_DE@euro", nullptr, "en_US.UTF-8"), "de_DE");
    EXPECT_EQ(LanguageFrom("", "fr_FR.UTF-8", "en_US"), "fr_FR");
    EXPECT_EQ(LanguageFrom(nullptr, nullptr, nullptr), "C");
}

TEST(SystemInfo, ProcessorAndCdDrivesFromTheKernelsTables) {
    const char* cpuinfo =
        "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n"
        "cpu MHz\t\t: 2199.998\n\nprocessor\t: 1\nmodel name\t: other\n";
    EXPECT_EQ(ProcessorNameFrom(cpuinfo), "Intel(R) Xeon(R) CPU @ 2.20GHz");
    EXPECT_EQ(ProcessorSpeedFrom(cpuinfo), 2200);
    EXPECT_EQ(ProcessorNameFrom("processor\t: 0\nBogoMIPS\t: 50.00\n"), "?");
    EXPECT_EQ(ProcessorSpeedFrom("cpu MHz : garbage\n"), 0);
    EXPECT_EQ(CdDrivesFrom("CD-ROM information\n\ndrive name:\t\tsr1\tsr0\ndrive speed:\t\t24\t24\n"),
              "/dev/sr1 /dev/sr0");
    EXPECT_EQ(CdDrivesFrom("drive name:\n"), "not present");
}

TEST(SystemInfo, MemoryStatusInBytes) {
    tMemoryStatus s = MemoryStatusFrom(
        "MemTotal:        4000000 kB\nMemFree:          500000 kB\nMemAvailable:    1000000 kB\n"
        "SwapTotal:       2000000 kB\nSwapFree:        1500000 kB\n");
    EXPECT_EQ(s.TotalPhys, 4000000ull * 1024);
    EXPECT_EQ(s.AvailPhys, 1000000ull * 1024);
    EXPECT_EQ(s.TotalPageFile, 2000000ull * 1024);
    EXPECT_EQ(s.AvailPageFile, 1500000ull * 1024);
    EXPECT_EQ(s.MemoryLoad, 75u);
    EXPECT_EQ(MemoryStatusFrom("MemTotal: 1000 kB\nMemFree: 250 kB\n").AvailPhys, 250ull * 1024);
    RefreshMemoryStatus();
    EXPECT_GT(MemoryStatus().TotalPhys, 0u);
    EXPECT_LE(MemoryStatus().AvailPhys, MemoryStatus().TotalPhys);
    EXPECT_LE(MemoryStatus().AvailVirtual, MemoryStatus().TotalVirtual);
}

TEST(SystemInfo, NamesOfTheMachineAndThePrinterBeforeTheFirstComma) {
    EXPECT_FALSE(ComputerName().empty());
    EXPECT_LE(ComputerName().size(), 15u);
    EXPECT_FALSE(UserName().empty());
    SetDefaultPrinter("HP LaserJet,winspool,Ne00:");
    EXPECT_EQ(DefaultPrinter(), "HP LaserJet");
    SetDefaultPrinter("");
}

TEST(DisplayInfo, ColourDepthClassesAndNoNegativeModeButMinusOne) {
    const uint16_t bitsAndClass[][2] = {{1, 1}, {4, 2}, {8, 3}, {15, 4}, {16, 5}, {24, 6}, {32, 7}, {12, 0}};
    for (auto [bits, depthClass] : bitsAndClass) EXPECT_EQ(ColorDepthClassOf(bits), depthClass) << bits;
    EXPECT_EQ(ColorDepthClassOf(DisplayInfo().BitsPerPixel), DisplayInfo().ColorDepthClass);
    SetCurrentDisplayMode(-7);
    EXPECT_EQ(CurrentDisplayMode(), -1);
    SetCurrentDisplayMode(0);
}

}  // namespace
}  // namespace pax
