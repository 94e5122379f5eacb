#include "render/fonts/font3d.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/scripted_presenter.h"
#include "system/settings.h"
#include "system/test_files.h"

namespace pax {
namespace {

using testing::ScopedPresenter;

// Points the data folder elsewhere for its lifetime.
class ScopedDataFolder {
public:
    explicit ScopedDataFolder(const std::string& path) : m_saved(std::getenv("PAX3D_DATA") ? std::getenv("PAX3D_DATA") : "") {
        ::setenv("PAX3D_DATA", path.c_str(), 1);
    }
    ~ScopedDataFolder() { m_saved.empty() ? ::unsetenv("PAX3D_DATA") : ::setenv("PAX3D_DATA", m_saved.c_str(), 1); }

private:
    std::string m_saved;
};

TEST(Font3d, SetFontWrapsElevenToZeroAndAStepBackFromZeroToTen) {
    EXPECT_EQ(tFont3d::WrapFontNumber(11), 0);
    EXPECT_EQ(tFont3d::WrapFontNumber(127), 0);
    EXPECT_EQ(tFont3d::WrapFontNumber(-1), 10);
    EXPECT_EQ(tFont3d::WrapFontNumber(128), 10);
    tFont3d font;
    int changes = 0;
    font.SetChangeHandler([&] { ++changes; });
    ASSERT_TRUE(font.SetFont(5));
    EXPECT_EQ(font.FontName, "LCOM");
    EXPECT_EQ(font.File.Name, "LCOM");
    EXPECT_STREQ(font.Vector()->Font->Name, "LCOM");
    ASSERT_TRUE(font.SetFont(11));
    EXPECT_EQ(font.FontNumber, 0);
    EXPECT_EQ(ConfigValues().Font, 0);   // the number itself, as the options slider reads it
    ASSERT_TRUE(font.SetFont(font.FontNumber - 1));
    EXPECT_EQ(font.FontName, "GOTH");
    EXPECT_EQ(ConfigValues().Font, 10);
    font.CharWidth = 5;
    EXPECT_TRUE(font.SetFont(10));   // unchanged: nothing happens
    EXPECT_EQ(font.CharWidth, 5);
    EXPECT_EQ(changes, 3);
    ASSERT_TRUE(font.SetFont(1));
    EXPECT_EQ(font.CharWidth, tFont3d::DefaultCharWidth);
    ConfigValues().Font = tConfigValues{}.Font;
}

TEST(Font3d, AFontWhoseFileFailsLeavesThePreviousFontAndIsReported) {
    tFont3d font;
    ASSERT_TRUE(font.SetFont(7));
    testing::ScopedTempDir dir;
    ScopedDataFolder data(dir.Path());
    {
        std::ofstream(dir.File("TRIP.CHR")) << "PK\x08\x09 not a font";
    }
    ScopedPresenter presenter;
    EXPECT_FALSE(font.SetFont(8));
    EXPECT_FALSE(font.SetFont(9));   // missing
    ASSERT_EQ(presenter.Count(), 2u);
    EXPECT_EQ(presenter.Shown()[0].caption, " PaxFont: tFont3d.OpenFont");
    EXPECT_NE(presenter.Shown()[0].text.find("TRIP.CHR\" not loaded: error 106, not a stroke font"), std::string::npos);
    EXPECT_NE(presenter.Shown()[1].text.find("TSCR.CHR\" not loaded: error 2,"), std::string::npos);
    EXPECT_EQ(font.FontNumber, 7);
    EXPECT_EQ(font.FontName, "SIMP");
    EXPECT_TRUE(font.File.Held());
    EXPECT_STREQ(font.Vector()->Font->Name, "SIMP");

    // At start-up without files the compiled-in font still serves.
    tFont3d started;
    started.Start(3);
    EXPECT_EQ(started.FontName, "BOLD");
    EXPECT_FALSE(started.File.Held());
    ConfigValues().Font = tConfigValues{}.Font;
}

TEST(Font3d, UseFontOfNoFontWarnsAndCloseFontWithoutAFontReportsMissingOpenFont) {
    ScopedPresenter presenter;
    tFont3d font;
    EXPECT_FALSE(font.UseFont(11));
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, " PaxFont: tFont3d.UseFont");
    EXPECT_EQ(presenter.Last().text, " font \"????\" not found");
    EXPECT_EQ(presenter.Last().icon, MessageIcon::Warning);
    font.CloseFont();
    ASSERT_EQ(presenter.Count(), 2u);
    EXPECT_EQ(presenter.Last().caption, " PaxFont: tFont3d.CloseFont");
    EXPECT_EQ(presenter.Last().text, "missing OpenFont");
    EXPECT_EQ(presenter.Last().buttons, 258);
    ASSERT_TRUE(font.OpenFont(2));
    EXPECT_EQ(font.FontNumber, 2);
    font.CloseFont();
    EXPECT_EQ(font.FontNumber, NoFont);
    EXPECT_FALSE(font.File.Held());
    EXPECT_EQ(presenter.Count(), 2u);
}

}  // namespace
}  // namespace pax
