#include "gui/window/main_menus.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <filesystem>
#include <fstream>

#include "app/app_test_support.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/options/background_pictures.h"
#include "app/options/option_form.h"
#include "app/studio.h"
#include "app/window/window_commands.h"
#include "app/window/window_test_support.h"
#include "gui/main_window.h"
#include "gui/picture_view.h"
#include "gui/window/animated_cursor.h"
#include "gui/window/qt_window_shell.h"
#include "gui/window/texture_window.h"
#include "gui/gui_test_support.h"
#include "render/files/ani_cursor.h"
#include "render/files/picture_io.h"
#include "render/surface/bitmap32.h"
#include "render/textures/generated_textures.h"
#include "support/scripted_presenter.h"
#include "system/settings.h"
#include "system/test_files.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

struct Menus : ::testing::Test {
    Menus() {
        Switches()[Switch::Paused] = true;
        window.show();
        QTRY_VERIFY(studio.Activated());
        commands.InstallKeys();
    }

    QApplication& app = testing::TestApplication();
    testing::ScopedAppSettings settings;
    testing::ScopedPresenter boxes;
    testing::ScopedCurrentFolder folder;
    Studio studio{testing::Headless()};
    MainWindow window{studio};
    QtWindowShell shell{window, studio};
    WindowCommands commands{studio, shell};
    MainMenus menus{window, commands, shell};
};

// Every item of the table has its action with its caption and shortcut, in the menu of its
// title, and every menu of the bar is one of the table's or the window's own.
TEST_F(Menus, TheMenusShowTheTableWithItsShortcuts) {
    size_t items = 0;
    for (const MenuItem& item : MenuItems()) items += item.Command != CommandId::None;
    ASSERT_EQ(menus.Entries().size(), items + [] {
        size_t eyeAndBackground = 0;   // shown again in the popup
        for (const MenuItem& item : MenuItems())
            eyeAndBackground += item.Command != CommandId::None && (item.Menu == MenuId::Eye || item.Menu == MenuId::Background);
        return eyeAndBackground;
    }());
    for (const MainMenus::Entry& e : menus.Entries()) {
        EXPECT_EQ(e.Action->text().toStdString(), e.Item->Caption);
        EXPECT_EQ(e.Action->shortcut().toString().toStdString(), ShortcutText(e.Item->Key, e.Item->Shift)) << e.Item->Caption;
    }
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles.first(), "Select Figure");
    for (const char* title : {"File", "Edit", "Animate", "Eye", "Background", "Options", "Window", "Help"})
        EXPECT_TRUE(titles.contains(title)) << title;
    EXPECT_EQ(titles.indexOf("File"), 1);
}

TEST_F(Menus, ItemsAndKeysRunTheirCommands) {
    // Through the menu, as a click would.
    const bool rgb = Switches()[Switch::ShowRGBValues];
    for (const MainMenus::Entry& e : menus.Entries())
        if (e.Item->Command == CommandId::ShowRgbValues) e.Action->trigger();
    EXPECT_NE(Switches()[Switch::ShowRGBValues], rgb);

    // Through the keys of the picture.
    window.Picture().setFocus();
    QTest::keyClick(&window.Picture(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&window.Picture(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_TRUE(fs::is_directory("Images"));
    size_t saved = 0;
    for (const auto& entry : fs::directory_iterator("Images")) saved += entry.is_regular_file();
    EXPECT_EQ(saved, 2u);
    QTest::keyClick(&window.Picture(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(window.Picture().width(), 640);
    EXPECT_EQ(commands.SizeIndex(), 5);
}

TEST_F(Menus, CopyAndPasteGoThroughTheClipboard) {
    QTest::keyClick(&window.Picture(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(480, 360));
    EXPECT_EQ(data->text().toStdString(), studio.State().FigureTitle);

    QImage pasted(50, 40, QImage::Format_RGB32);
    pasted.fill(QColor(10, 200, 30));
    QApplication::clipboard()->setImage(pasted);
    QTest::keyClick(&window.Picture(), Qt::Key_V, Qt::ControlModifier);
    const TBitmap32& background = studio.Options().Background().Loaded();
    ASSERT_EQ(background.Width(), 50);
    EXPECT_EQ(background.Pixel(3, 3), 0xFF0AC81Eu);
    EXPECT_TRUE(Switches()[Switch::BackgroundPicture]);

    // A copied file: a picture is taken, anything else is told and changes nothing.
    TBitmap32 file(20, 10);
    file.Clear(0xFF804020);
    ASSERT_TRUE(SavePicture(file, folder.File("copied.png")));
    auto* urls = new QMimeData;
    urls->setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.File("copied.png")))});
    QApplication::clipboard()->setMimeData(urls);
    QTest::keyClick(&window.Picture(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(background.Width(), 20);
    std::ofstream(folder.File("notes.jpg")) << "not a picture";
    urls = new QMimeData;
    urls->setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.File("notes.jpg")))});
    QApplication::clipboard()->setMimeData(urls);
    QTest::keyClick(&window.Picture(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(background.Width(), 20);
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(Menus, DroppedPicturesBecomeTheBackground) {
    TBitmap32 file(24, 12);
    file.Clear(0xFF204060);
    ASSERT_TRUE(SavePicture(file, folder.File("DROPPED.JPG")));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.File("DROPPED.JPG")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(studio.Options().Background().Loaded().Width(), 24);
}

TEST_F(Menus, PrintingToAPdfFileNeedsNoPrinter) {
    const std::string pdf = folder.File("picture.pdf");
    shell.Printer().setOutputFormat(QPrinter::PdfFormat);
    shell.Printer().setOutputFileName(QString::fromStdString(pdf));
    ASSERT_TRUE(shell.PrintPicture(studio.Picture(), "Pax3d - test"));
    const std::string text = testing::ReadWholeFile(pdf);
    EXPECT_EQ(text.substr(0, 5), "%PDF-");
    EXPECT_NE(text.find("/Image"), std::string::npos);
}

TEST_F(Menus, ToolButtonsShowTheirHintsAndTheStatusBarTakesClicks) {
    ASSERT_TRUE(menus.ToolBar(1));
    int buttons = 0;
    for (QAction* action : menus.ToolBar(1)->actions()) {
        QWidget* button = menus.ToolBar(1)->widgetForAction(action);
        if (!button) continue;
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(button, &enter);
        EXPECT_FALSE(window.StatusText(2).isEmpty());
        ++buttons;
    }
    EXPECT_EQ(buttons, 13);
    QWidget* save = menus.ToolBar(1)->widgetForAction(menus.ToolBar(1)->actions().at(1));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(save, &enter);
    EXPECT_EQ(window.StatusText(2), " Ctrl-S: save actual scene as Pax_####.jpg");

    QTest::mouseClick(window.statusBar(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), window.StatusText(1));
}

TEST_F(Menus, TheTexturesWindowShowsNineAndAClickTakesOne) {
    TTexForm textures(commands, studio.Commands(), &window);
    int thumbnails = 0;
    for (int i = 1; i <= 9; ++i) {
        auto* label = textures.findChild<QLabel*>(QString("Texture%1").arg(i));
        ASSERT_TRUE(label);
        EXPECT_EQ(label->size(), QSize(TTexForm::Thumbnail, TTexForm::Thumbnail));
        thumbnails += !label->pixmap().isNull();
    }
    EXPECT_EQ(thumbnails, 9);
    textures.Choose(4);
    EXPECT_EQ(ConfigValues().TileNumber, 4);
    EXPECT_EQ(studio.Options().Background().Loaded().Pixel(10, 10), MakeTexture(4).Pixel(10, 10));
    EXPECT_TRUE(Switches()[Switch::TilesBackground]);
}

TEST_F(Menus, AnimatedCursorsOfOurOwnAndADamagedOneGivesTheNormalCursor) {
    const std::string shipped = std::string(PAX3D_SOURCE_DIR) + "/data/Cursor1.ani";
    AnimatedCursor cursor;
    ASSERT_TRUE(cursor.Load(shipped));
    cursor.Start(&window.Picture());
    ASSERT_TRUE(cursor.Shown());
    EXPECT_EQ(window.Picture().cursor().pixmap().size(), QSize(32, 32));
    cursor.Stop();
    EXPECT_EQ(window.Picture().cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(boxes.Shown().empty());

    std::string bytes = testing::ReadWholeFile(shipped);
    bytes.resize(bytes.size() / 2);
    const std::string damaged = folder.File("damaged.ani");
    std::ofstream(damaged, std::ios::binary) << bytes;
    AnimatedCursor broken;
    EXPECT_FALSE(broken.Load(damaged));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, AnimatedCursor::LoadCaption);
    EXPECT_EQ(boxes.Last().text, "can not load cursor file `" + damaged + "`");
    broken.Start(&window.Picture());
    EXPECT_FALSE(broken.Shown());
    EXPECT_EQ(window.Picture().cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace pax
