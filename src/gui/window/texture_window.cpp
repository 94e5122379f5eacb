#include "gui/window/texture_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include <string>

#include "app/window/window_commands.h"
#include "gui/guard.h"
#include "gui/window/qt_window_shell.h"
#include "render/textures/generated_textures.h"
#include "render/textures/textures.h"
#include "system/settings.h"

namespace pax {

namespace {

// Not kept in the configuration: the window opens beside the main window each run.
tWindowPlace g_place{488, 100};

}  // namespace

TTexForm::TTexForm(WindowCommands& commands, MainCommands& keys, QWidget* parent)
    : ToolWindow(g_place, Caption, keys, parent), m_window(commands) {
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    const tTextures& textures = commands.Textures();
    for (int i = 0; i < 9; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("Texture%1").arg(i + 1));
        label->setFixedSize(Thumbnail, Thumbnail);
        label->setFrameShape(QFrame::Box);
        if (const TTextureRef texture = textures.Texture(i + 1))
            label->setPixmap(QPixmap::fromImage(ImageOf(*texture).scaled(Thumbnail - 2, Thumbnail - 2)));
        label->setToolTip(QString("%1: %2").arg(i + 1).arg(Utf8(TextureName(i + 1))));
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        grid->addWidget(label, i / 3, i % 3);
        m_thumbnails[static_cast<size_t>(i)] = label;
    }
}

void TTexForm::Choose(int number) {
    Guard("TTexForm.Choose", [&] {
        // ChangeTexture adds to "Tile Number": the difference takes it to the chosen one.
        m_window.ChangeTexture(number - ConfigValues().TileNumber);
    });
}

bool TTexForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return ToolWindow::eventFilter(watched, event);
    for (size_t i = 0; i < m_thumbnails.size(); ++i) {
        if (watched != m_thumbnails[i]) continue;
        Choose(static_cast<int>(i) + 1);
        return true;
    }
    return ToolWindow::eventFilter(watched, event);
}

}  // namespace pax
