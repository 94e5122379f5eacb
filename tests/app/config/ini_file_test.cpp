#include "app/config/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "app/config/config_test_support.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

using testing::ReadTextFile;
using testing::ScopedPresenter;
using testing::TempDir;
using testing::WriteTextFile;

TEST(IniFile, ReadsToleratingBomCrlfCommentsGarbageAndRepeats) {
    IniFile ini;
    EXPECT_TRUE(ini.Parse("\xEF\xBB\xBF"
                          "orphan=1\r\n"
                          "[Main]\r\n"
                          "; comment=1\r\n"
                          "# also=1\r\n"
                          "\r\n"
                          "  Left Position = 12  \r\n"
                          "this line means nothing\r\n"
                          "[broken\r\n"
                          "=no key\r\n"
                          "left position=99\r\n"
                          "[other]\r"
                          "x=1\r"
                          "[MAIN]\n"
                          "Top=7\n"));
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Main", "other"}));
    EXPECT_EQ(ini.KeyNames("main"), (std::vector<std::string>{"Left Position", "Top"}));
    EXPECT_EQ(ini.ReadInteger("MAIN", "LEFT POSITION", 0), 12);  // the first of a repeated key
    EXPECT_EQ(ini.ReadString("other", "X", ""), "1");
    EXPECT_FALSE(ini.ValueExists("main", "orphan"));
    EXPECT_FALSE(ini.ValueExists("main", "; comment"));
}

TEST(IniFile, TypedReadsTakeTheFallbackForTextTheyCannotRead) {
    IniFile ini;
    ini.Parse("[s]\nb1=1\nb0=0\nbt=TRUE\nbf=false\nb2=2\nbx=yes\n"
              "i=  -42 \nih=$FF\nix=12abc\nibig=99999999999\n"
              "h1=$00FFFF80\nh2=ff000000\nh9=123456789\nhx=$\n"
              "f1=1.5\nf2=1,25\nf3=-2e3\nfnan=nan\nfinf=1e5000\nfx=1.5.2\n");
    EXPECT_TRUE(ini.ReadBool("s", "b1", false));
    EXPECT_FALSE(ini.ReadBool("s", "b0", true));
    EXPECT_TRUE(ini.ReadBool("s", "bt", false));
    EXPECT_FALSE(ini.ReadBool("s", "bf", true));
    EXPECT_TRUE(ini.ReadBool("s", "b2", false));
    EXPECT_FALSE(ini.ReadBool("s", "bx", false));
    EXPECT_TRUE(ini.ReadBool("s", "missing", true));

    EXPECT_EQ(ini.ReadInteger("s", "i", 0), -42);
    EXPECT_EQ(ini.ReadInteger("s", "ih", 0), 255);
    EXPECT_EQ(ini.ReadInteger("s", "ix", 5), 5);
    EXPECT_EQ(ini.ReadInteger("s", "ibig", 5), 5);

    EXPECT_EQ(ini.ReadHex("s", "h1", 0), 0x00FFFF80u);
    EXPECT_EQ(ini.ReadHex("s", "h2", 0), 0xFF000000u);
    EXPECT_EQ(ini.ReadHex("s", "h9", 7), 7u);
    EXPECT_EQ(ini.ReadHex("s", "hx", 7), 7u);

    EXPECT_EQ(ini.ReadFloat("s", "f1", 0), 1.5L);
    EXPECT_EQ(ini.ReadFloat("s", "f2", 0), 1.25L);
    EXPECT_EQ(ini.ReadFloat("s", "f3", 0), -2000.0L);
    EXPECT_EQ(ini.ReadFloat("s", "fnan", 3), 3.0L);
    EXPECT_EQ(ini.ReadFloat("s", "finf", 3), 3.0L);
    EXPECT_EQ(ini.ReadFloat("s", "fx", 3), 3.0L);
}

TEST(IniFile, WritesInPlaceInFileOrderWithThePlatformValueTexts) {
    IniFile ini;
    ini.Parse("[b]\nk=old\n[a]\nz=1\n");
    ini.WriteString("B", "K", "new");
    ini.WriteBool("a", "flag", true);
    ini.WriteHex("a", "colour", 0x00FFFF80);
    ini.WriteInteger("c", "n", -3);
    ini.WriteFloat("c", "f", 0.1L);
    EXPECT_EQ(ini.ToText(), "[b]\nk=new\n\n[a]\nz=1\nflag=1\ncolour=00FFFF80\n\n[c]\nn=-3\nf=0.1\n");

    ini.DeleteKey("A", "Z");
    ini.EraseSection("B");
    EXPECT_EQ(ini.ToText(), "[a]\nflag=1\ncolour=00FFFF80\n\n[c]\nn=-3\nf=0.1\n");
    EXPECT_EQ(ini.EntryCount(), 4u);
}

TEST(IniFile, WrittenNamesAndValuesReadBackUnchanged) {
    IniFile ini;
    ini.WriteString("sec]tion", "key=x", "two\nlines");
    ini.WriteString("s", "[not a key", "v");
    IniFile back;
    back.Parse(ini.ToText());
    EXPECT_EQ(back.ReadString("sec_tion", "key_x", ""), "two lines");
    EXPECT_FALSE(back.ValueExists("s", "[not a key"));
}

TEST(IniFile, FloatsRoundTripExactly) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<long double> any(-1e6L, 1e6L);
    IniFile ini;
    for (int i = 0; i < 1000; ++i) {
        long double value = any(random) / (1 + i);
        ini.WriteFloat("s", "v", value);
        IniFile back;
        back.Parse(ini.ToText());
        ASSERT_EQ(back.ReadFloat("s", "v", 0), value);
    }
}

TEST(IniFile, HostileTextIsCutAtItsLimits) {
    IniFile ini;
    std::string huge = "[s]\nfirst=1\nlong=" + std::string(IniFile::MaxBytes, 'x') + "\n";
    EXPECT_FALSE(ini.Parse(huge));
    EXPECT_EQ(ini.ReadInteger("s", "first", 0), 1);
    EXPECT_EQ(ini.ReadString("s", "long", "").size(), IniFile::MaxBytes - 17);

    std::string many = "[s]\n";
    for (size_t i = 0; i < IniFile::MaxEntries + 10; ++i) many += "k" + std::to_string(i) + "=1\n";
    EXPECT_FALSE(ini.Parse(many));
    EXPECT_EQ(ini.EntryCount() + ini.SectionNames().size(), IniFile::MaxEntries);
}

TEST(IniFile, RandomBytesParseToAFixedPoint) {
    std::mt19937 random(42);
    static constexpr char Symbols[] = "[]=;#\r\n \tab\xEF\xBB\xBF\0z";
    const std::string alphabet(Symbols, sizeof Symbols - 1);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 400; ++i)
            text += round % 2 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        IniFile first;
        first.Parse(text);
        IniFile second;
        second.Parse(first.ToText());
        ASSERT_EQ(first.ToText(), second.ToText());
    }
}

TEST(IniFile, LoadWarnsOnceAboutAFileTooLargeAndNamesIt) {
    TempDir dir;
    std::string path = dir.File("big.INI");
    WriteTextFile(path, "[s]\nk=1\n" + std::string(IniFile::MaxBytes + 100, ';'));
    ScopedPresenter presenter;
    IniFile ini;
    EXPECT_TRUE(ini.LoadFromFile(path));
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().icon, MessageIcon::Warning);
    EXPECT_NE(presenter.Last().text.find(path), std::string::npos);
}

TEST(IniFile, MissingDirectoriesAndPipesReadAsEmptyWithoutAMessage) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    ScopedPresenter presenter;
    IniFile ini;
    ini.Parse("[s]\nk=1\n");
    EXPECT_FALSE(ini.LoadFromFile(dir.File("missing.INI")));
    EXPECT_FALSE(ini.LoadFromFile(dir.Path()));
    EXPECT_FALSE(ini.LoadFromFile(dir.File("fifo")));
    EXPECT_TRUE(ini.SectionNames().empty());
    EXPECT_EQ(presenter.Count(), 0u);

    WriteTextFile(dir.File("a.INI"), "[s]\r\nk=2\r\n");
    EXPECT_TRUE(ini.LoadFromFile(dir.File("a.INI")));
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 2);
    EXPECT_EQ(ReadTextFile(dir.File("a.INI")), "[s]\r\nk=2\r\n");
}

}  // namespace
}  // namespace pax
