#include "app/editor/lsystem_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_test_support.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "lsystem/interpreter.h"
#include "support/scripted_presenter.h"
#include "system/test_files.h"

namespace pax {
namespace {

using namespace pax::testing;

struct EditorTest : ::testing::Test {
    ScopedAppSettings settings;
    ScopedPresenter boxes;
    Studio studio{Headless()};
    LSystemEditor editor{studio};
    std::vector<std::string> opened;

    EditorTest() {
        editor.SetLinkOpener([this](const std::string& link) {
            opened.push_back(link);
            return true;
        });
    }
    void ViewSystem(const std::string& name) {
        ASSERT_TRUE(editor.Search(name));
        ASSERT_TRUE(editor.View());
    }
};

TEST_F(EditorTest, BuiltInTreeHoldsThreeFilesWithTheirCommentsAndCounts) {
    const auto& files = editor.Tree().Files();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].content.Name(), "TABOP.LSY");
    EXPECT_EQ(files[1].content.Name(), "Kesk1.LSY");
    EXPECT_EQ(files[2].content.Name(), "Famous2d.LSY");
    EXPECT_EQ(files[0].content.NodeCount(), 56u);
    EXPECT_EQ(files[1].content.NodeCount(), 46u);
    EXPECT_EQ(files[2].content.NodeCount(), 21u);
    EXPECT_EQ(files[0].content.Items().size(), 59u);
    EXPECT_EQ(files[1].content.Items().size(), 48u);
    EXPECT_EQ(files[2].content.Items().size(), 23u);
    EXPECT_EQ(files[0].content.Items()[0].Line(), "# TABOP.LSY: examples from the book \"The Algorithmic Beauty Of Plants\"");
    EXPECT_EQ(files[2].content.Items()[0].Line(), "# Famous2d.LSY: famous examples of 2d LSystems\"");
    EXPECT_EQ(editor.Tree().Text({0, 3}), "KochSnowflake-2");
    EXPECT_EQ(editor.Tree().Text({2, 4}), "SierpinskiStar1");   // after SierpinskiCarpet1: SierpinskiTriangle2 is left out
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(EditorTest, ViewSelectsTheSystemAndKeepsItThroughTheFirstActivation) {
    ASSERT_FALSE(studio.Activated());
    ViewSystem("Plant-24");
    EXPECT_TRUE(studio.Activated());
    EXPECT_EQ(studio.Interpreter().System().name, "Plant-24");
    EXPECT_EQ(editor.ViewedFile(), "TABOP.LSY");
    EXPECT_TRUE(studio.State().RedrawPending);
    ASSERT_TRUE(editor.ViewNeighbour(+1));
    EXPECT_EQ(studio.Interpreter().System().name, "Plant-25a");
    EXPECT_EQ(editor.Selection(), (TreeNode{0, 27}));
    EXPECT_TRUE(editor.ViewNeighbour(-1));
    EXPECT_EQ(studio.Interpreter().System().name, "Plant-24");
    // Opening the window shows the system drawn, until the fields are the user's.
    EXPECT_EQ(editor.Fields().Name, "empty");
    editor.GetUnlessEdited();
    EXPECT_EQ(editor.Fields().Name, "Plant-24");
    editor.Fields().Name = "mine";
    editor.FieldsChanged();
    editor.ViewNeighbour(+1);
    editor.GetUnlessEdited();
    EXPECT_EQ(editor.Fields().Name, "mine");
}

TEST_F(EditorTest, SetAppliesValidFieldsAndRandomFollowsTheSystem) {
    ViewSystem("StochasticPlant-28");
    EXPECT_TRUE(editor.CanRandomize());
    const uint32_t seed = studio.Interpreter().Seed();
    editor.Randomize();
    EXPECT_NE(studio.Interpreter().Seed(), seed);

    ASSERT_TRUE(editor.Edit());
    EXPECT_EQ(editor.Page(), EditorPage::Edit);
    editor.Fields().DeleteRow(2);
    editor.Fields().DeleteRow(1);
    editor.Fields().Angle.SetText("45");
    editor.FieldsChanged();
    ASSERT_TRUE(editor.Set());
    EXPECT_EQ(studio.Interpreter().System().angle, 45);
    EXPECT_FALSE(editor.CanRandomize());

    editor.Fields().Axiom = " ";
    editor.FieldsChanged();
    EXPECT_FALSE(editor.Valid());
    EXPECT_EQ(editor.StateText(), "-");
    EXPECT_FALSE(editor.Set());
    EXPECT_EQ(studio.Interpreter().System().axiom, "F");

    // Auto redraw applies every valid change at once.
    editor.Fields().Axiom = "FF";
    editor.SetAutoRedraw(true);
    EXPECT_EQ(studio.Interpreter().System().axiom, "FF");
}

TEST_F(EditorTest, CloseWritesWorkFileOnlyWithValidFields) {
    const std::string work = LSystemEditor::WorkFilePath();
    std::filesystem::remove(work);
    ViewSystem("KochSnowflake-2");
    editor.Get();
    editor.Fields().Name.clear();
    editor.FieldsChanged();
    EXPECT_FALSE(editor.Close());
    EXPECT_FALSE(std::filesystem::exists(work));

    editor.Get();
    editor.FieldsChanged();
    ASSERT_TRUE(editor.Close());
    EXPECT_EQ(boxes.Last().text, "Lindenmayer System File \"" + work + "\" saved");
    LSystemEditor other(studio);
    ASSERT_TRUE(other.OpenFile(work));
    EXPECT_EQ(other.Tree().FileCount(), 4);
    EXPECT_EQ(studio.Interpreter().System().name, "KochSnowflake-2");
}

TEST_F(EditorTest, SaveAndCopyGiveTheSystemsText) {
    ScopedTempDir dir;
    ViewSystem("Palm3");
    editor.Edit();
    editor.Fields().Step = 250;   // not set: Save writes the viewed system
    EXPECT_EQ(editor.SaveSystemProposal(), "LS_Palm3.LSY");
    ASSERT_TRUE(editor.SaveSystem(dir.File("p.LSY")));
    ASSERT_TRUE(editor.LoadFile(dir.File("p.LSY")));
    const tVLSystem* saved = editor.Tree().System({3, 0});
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->step, 100);
    EXPECT_EQ(saved->name, "Palm3");

    ASSERT_TRUE(editor.Copy());
    EXPECT_NE(boxes.Clipboard().find("step 250"), std::string::npos);
    EXPECT_TRUE(boxes.Clipboard().starts_with("\nLSystem\n{ name \"Palm3\"")) << boxes.Clipboard();
    EXPECT_NE(boxes.Clipboard().find("  factor 0.85\n"), std::string::npos);
}

TEST_F(EditorTest, WebOpensOnlyWebAddresses) {
    EXPECT_TRUE(IsWebLink("https://example.org/koch"));
    EXPECT_TRUE(IsWebLink("HTTP://example.org"));
    EXPECT_FALSE(IsWebLink("https://"));
    EXPECT_FALSE(IsWebLink("file:///etc/passwd"));
    EXPECT_FALSE(IsWebLink("/usr/bin/xterm"));
    EXPECT_FALSE(IsWebLink("http://a.org/x y"));
    EXPECT_FALSE(IsWebLink("javascript:alert(1)"));

    ScopedTempDir dir;
    std::ofstream(dir.File("l.LSY")) << "LSystem { name L link \"/bin/sh -c reboot\" axiom F rules [ F ] }\n"
                                      << "LSystem { name W link \"https://example.org/w\" axiom F rules [ F ] }\n";
    ASSERT_TRUE(editor.OpenFile(dir.File("l.LSY")));
    EXPECT_TRUE(editor.CanOpenLink());
    EXPECT_FALSE(editor.OpenLink());
    EXPECT_NE(boxes.Last().text.find("/bin/sh -c reboot"), std::string::npos);
    ASSERT_TRUE(editor.ViewNeighbour(+1));
    EXPECT_TRUE(editor.OpenLink());
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/w"}));
}

TEST_F(EditorTest, PlaceIsKeptWithinItsLimits) {
    editor.StorePlace({10, 20, 50, 5000});
    EXPECT_EQ(editor.RestorePlace(1920, 1080), (EditorPlace{10, 20, 160, 1080}));
    editor.StorePlace({-5, 0, 700, 500});
    EXPECT_EQ(editor.RestorePlace(1920, 1080), (EditorPlace{-5, 0, 700, 500}));
}

}  // namespace
}  // namespace pax
