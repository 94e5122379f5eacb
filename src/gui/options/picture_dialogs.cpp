#include "gui/options/picture_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <strings.h>

#include "app/options/background_pictures.h"
#include "render/files/picture_io.h"
#include "render/surface/bitmap32.h"
#include "system/sound.h"

namespace pax {

namespace {

// In the order of WithPictureType's types.
const std::array<QString, 3> SaveFilters{"PNG picture (*.png)", "JPEG picture (*.jpg)", "Bitmap (*.bmp)"};

}  // namespace

void LoadPictureDialog(QWidget* parent, BackgroundPictures& pictures) {
    const QString file = QFileDialog::getOpenFileName(parent, "Open background picture",
                                                      QString::fromStdString(BackgroundPictures::OpenFolder()),
                                                      "Pictures (*.jpg *.jpeg *.png *.bmp);;All files (*)");
    if (!file.isEmpty()) pictures.OpenChosen(file.toStdString());
}

bool SavePictureDialog(QWidget* parent, const TBitmap32& picture) {
    if (picture.Empty()) {
        SoundBeep();
        return false;
    }
    const QString name = ChoosePictureFile(parent, ProposedPictureName());
    return !name.isEmpty() && SavePicture(picture, name.toStdString());
}

QString ChoosePictureFile(QWidget* parent, const std::string& proposed) {
    QFileDialog dialog(parent, "Save picture");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({SaveFilters.begin(), SaveFilters.end()});
    dialog.selectNameFilter(SaveFilters[1]);
    const QFileInfo start(QString::fromStdString(proposed));
    dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const int type = static_cast<int>(std::find(SaveFilters.begin(), SaveFilters.end(), filter) - SaveFilters.begin());
        const QStringList chosen = dialog.selectedFiles();
        const QString name = chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).fileName();
        if (!name.isEmpty()) dialog.selectFile(QString::fromStdString(WithPictureType(name.toStdString(), type)));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool IsPictureFileName(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return false;
    for (const char* ext : {".jpg", ".jpeg", ".bmp", ".png"})
        if (strcasecmp(dot, ext) == 0) return true;
    return false;
}

}  // namespace pax
