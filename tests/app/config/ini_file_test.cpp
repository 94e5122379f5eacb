#include "app/config/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "app/config/atomic_file.h"
#include "app/config/config_test_support.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

using testing::TempDir;
using testing::WriteTextFile;

TEST(IniFile, ReadsToleratingBomCrlfCommentsGarbageAndRepeats) {
    IniFile ini;
    EXPECT_TRUE(ini.Parse("\xEF\xBB\xBF" "orphan=1\r\n[Main]\r\n; comment=1\r\n# also=1\r\n\r\n"
                          "  Left Position = 12  \r\nthis line means nothing\r\n[broken\r\n=no key\r\n"
                          "left position=99\r\n[other]\rx=1\r[MAIN]\nTop=7\n"));
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Main", "other"}));
    EXPECT_EQ(ini.KeyNames("main"), (std::vector<std::string>{"Left Position", "Top"}));
    EXPECT_EQ(ini.ReadInteger("MAIN", "LEFT POSITION", 0), 12);   // the first of a repeated key
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
    for (auto [key, fallback, value] : {std::tuple("b1", false, true), std::tuple("b0", true, false),
                                        std::tuple("bt", false, true), std::tuple("bf", true, false),
                                        std::tuple("b2", false, true), std::tuple("bx", false, false),
                                        std::tuple("missing", true, true)})
        EXPECT_EQ(ini.ReadBool("s", key, fallback), value) << key;
    for (auto [key, value] : {std::pair("i", -42), std::pair("ih", 255), std::pair("ix", 5), std::pair("ibig", 5)})
        EXPECT_EQ(ini.ReadInteger("s", key, 5), value) << key;
    for (auto [key, value] : {std::pair("h1", 0x00FFFF80u), std::pair("h2", 0xFF000000u), std::pair("h9", 7u),
                              std::pair("hx", 7u)})
        EXPECT_EQ(ini.ReadHex("s", key, 7), value) << key;
    for (auto [key, value] : {std::pair("f1", 1.5L), std::pair("f2", 1.25L), std::pair("f3", -2000.0L),
                              std::pair("fnan", 3.0L), std::pair("finf", 3.0L), std::pair("fx", 3.0L)})
        EXPECT_EQ(ini.ReadFloat("s", key, 3), value) << key;
}

TEST(IniFile, WritesInPlaceInFileOrderWithThePlatformTextsAndNamesThatReadBack) {
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

    IniFile odd;
    odd.WriteString("sec]tion", "key=x", "two\nlines");
    odd.WriteString("s", "[not a key", "v");
    IniFile back;
    back.Parse(odd.ToText());
    EXPECT_EQ(back.ReadString("sec_tion", "key_x", ""), "two lines");
    EXPECT_FALSE(back.ValueExists("s", "[not a key"));
}

TEST(IniFile, FloatsRoundTripExactlyAndRandomBytesParseToAFixedPoint) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<long double> any(-1e6L, 1e6L);
    IniFile ini;
    for (int i = 0; i < 1000; ++i) {
        const long double value = any(random) / (1 + i);
        ini.WriteFloat("s", "v", value);
        IniFile back;
        back.Parse(ini.ToText());
        ASSERT_EQ(back.ReadFloat("s", "v", 0), value);
    }
    static constexpr char Symbols[] = "[]=;#\r\n \tab\xEF\xBB\xBF\0z";
    const std::string alphabet(Symbols, sizeof Symbols - 1);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 400; ++i)
            text += round % 2 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        IniFile first, second;
        first.Parse(text);
        second.Parse(first.ToText());
        ASSERT_EQ(first.ToText(), second.ToText());
    }
}

TEST(IniFile, HostileTextIsCutAtItsLimits) {
    IniFile ini;
    EXPECT_FALSE(ini.Parse(std::string("[s]\nfirst=1\nlong=").append(IniFile::MaxBytes, 'x').append("\n")));
    EXPECT_EQ(ini.ReadInteger("s", "first", 0), 1);
    EXPECT_EQ(ini.ReadString("s", "long", "").size(), IniFile::MaxBytes - 17);
    std::string many = "[s]\n";
    for (size_t i = 0; i < IniFile::MaxEntries + 10; ++i) many.append("k").append(std::to_string(i)).append("=1\n");
    EXPECT_FALSE(ini.Parse(many));
    EXPECT_EQ(ini.EntryCount() + ini.SectionNames().size(), IniFile::MaxEntries);
}

TEST(IniFile, LoadReadsRegularFilesOnlyAndWarnsOnceNamingAFileTooLarge) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    testing::ScopedPresenter presenter;
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
    EXPECT_EQ(testing::ReadTextFile(dir.File("a.INI")), "[s]\r\nk=2\r\n");

    const std::string big = dir.File("big.INI");
    WriteTextFile(big, std::string("[s]\nk=1\n").append(IniFile::MaxBytes + 100, ';'));
    EXPECT_TRUE(ini.LoadFromFile(big));
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().icon, MessageIcon::Warning);
    EXPECT_NE(presenter.Last().text.find(big), std::string::npos);
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, WritesANewFileOrReplacesThroughALinkKeepingTheModeAndNoTemporary) {
    testing::TempDir dir;
    const std::string target = dir.File("real.INI"), link = dir.File("link.INI");
    EXPECT_TRUE(WriteFileAtomically(target, "[a]\nk=1\n").Ok());
    EXPECT_EQ(testing::ReadTextFile(target), "[a]\nk=1\n");
    EXPECT_EQ(ModeOf(target), 0644u);
    EXPECT_EQ(dir.Entries(), 1u);

    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink(target, link);
    EXPECT_TRUE(WriteFileAtomically(link, "new").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadTextFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(dir.Entries(), 2u);

    const AtomicWriteResult missing = WriteFileAtomically(dir.File("no/such.INI"), "x");
    EXPECT_EQ(missing.FailedAt, AtomicWriteResult::Stage::Create);
    EXPECT_EQ(missing.Error, ENOENT);
}

}  // namespace
}  // namespace pax
