#include "gui/editor/lsystem_form.h"

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include "app/app_test_support.h"
#include "app/editor/lsystem_editor.h"
#include "gui/editor/edit_page.h"
#include "gui/gui_test_support.h"
#include "lsystem/interpreter.h"
#include "support/scripted_presenter.h"
#include "system/test_files.h"

namespace pax {
namespace {

struct Form : ::testing::Test {
    QApplication& app = testing::TestApplication();
    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    Studio studio{testing::Headless()};
    TLSystemForm form{studio};
};

TEST_F(Form, PairedFieldsFollowEachOtherWithoutBouncing) {
    form.Pages()->setCurrentIndex(1);
    EditPage& page = form.Edit();
    page.AngleText()->clear();
    QTest::keyClicks(page.AngleText(), "22.5");
    EXPECT_EQ(page.AngleSpin()->value(), 2250);
    EXPECT_EQ(page.AngleText()->text(), "22.5");
    page.AngleSpin()->setValue(3000);
    EXPECT_EQ(page.AngleText()->text(), "30");
    EXPECT_EQ(page.AngleSpin()->value(), 3000);
    EXPECT_EQ(form.Editor().Fields().Angle.Text, "30");
}

TEST_F(Form, ValidationEnablesSetAndTheStateField) {
    form.Tree()->setCurrentItem(form.Tree()->topLevelItem(0)->child(3));
    form.SelectButton("Edit")->click();
    ASSERT_EQ(form.Pages()->currentIndex(), 1);
    EditPage& page = form.Edit();
    EXPECT_TRUE(page.Button("Set")->isEnabled());
    page.NameField()->setFocus();
    page.NameField()->selectAll();
    QTest::keyClick(page.NameField(), Qt::Key_Delete);
    EXPECT_FALSE(page.Button("Set")->isEnabled());
    EXPECT_FALSE(page.Button("Save...")->isEnabled());
    EXPECT_EQ(page.StateField()->text(), "-");
    QTest::keyClicks(page.NameField(), "mine");
    EXPECT_TRUE(page.Button("Set")->isEnabled());
    EXPECT_EQ(page.StateField()->text(), "+");
    page.Button("Set")->click();
    EXPECT_EQ(studio.Interpreter().System().name, "mine");
    // Closing with valid fields keeps the system in work.LSY.
    std::filesystem::remove(LSystemEditor::WorkFilePath());
    form.show();
    form.close();
    EXPECT_NE(testing::ReadWholeFile(LSystemEditor::WorkFilePath()).find("name mine"), std::string::npos);
}

TEST_F(Form, TreeShowsTheFilesAndEnterViewsASystem) {
    QTreeWidget* tree = form.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 59);
    EXPECT_EQ(tree->topLevelItem(2)->childCount(), 23);
    tree->setCurrentItem(tree->topLevelItem(1)->child(5));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(studio.Interpreter().System().name, tree->topLevelItem(1)->child(5)->text(0).toStdString());
    EXPECT_TRUE(form.SelectButton("Edit")->isEnabled());
    EXPECT_FALSE(form.SelectButton("Load Again")->isEnabled());
    // Backspace on a file node takes it out of the tree.
    tree->setCurrentItem(tree->topLevelItem(2));
    QTest::keyClick(tree, Qt::Key_Backspace);
    EXPECT_EQ(tree->topLevelItemCount(), 2);
}

TEST_F(Form, DroppedLsyFileIsOpenedOthersPassOn) {
    testing::ScopedTempDir dir;
    std::ofstream(dir.File("d.lsy")) << "LSystem { name Dropped axiom F rules [ \"F=F+F\" ] }\n";
    QWidget target;
    form.AcceptDrops(&target);
    auto drop = [&](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // The platform's drag manager delivers real drops; the filter gets them first.
        return form.eventFilter(&target, &event) && event.isAccepted();
    };
    EXPECT_FALSE(drop(QString::fromStdString(dir.File("picture.jpg"))));
    EXPECT_EQ(form.Tree()->topLevelItemCount(), 3);
    EXPECT_TRUE(drop(QString::fromStdString(dir.File("d.lsy"))));
    EXPECT_EQ(form.Tree()->topLevelItemCount(), 4);
    EXPECT_EQ(studio.Interpreter().System().name, "Dropped");
}

}  // namespace
}  // namespace pax
