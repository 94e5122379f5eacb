#pragma once
// The options' picture dialogs, which the main window's menus use as well: opening a
// background picture (it starts in the program's "pics" folder) and saving a picture under
// the next free "Images/Pax_" name, whose extension follows the type chosen in the dialog.

#include <QString>

#include <string>

class QWidget;

namespace pax {

class BackgroundPictures;
class TBitmap32;

// The chosen file is loaded as background and added to the picture list.
void LoadPictureDialog(QWidget* parent, BackgroundPictures& pictures);

// An empty picture only beeps. Returns whether the picture was written.
bool SavePictureDialog(QWidget* parent, const TBitmap32& picture);

// The save dialog with the type list, starting at proposed ("Images/Pax_0001.JPG"); the
// chosen name, or an empty one when cancelled.
QString ChoosePictureFile(QWidget* parent, const std::string& proposed);

// A dropped file is a background picture when its name ends in ".jpg", ".jpeg", ".bmp" or
// ".png" (any case).
bool IsPictureFileName(const char* name);

}  // namespace pax
