#pragma once
// BackgroundPanel: the picture part of the options' "background" tab: the picture list's
// combo box with its previous, next, remove and "..." buttons, and the type preview, four
// strips (colour, texture, picture, panorama) whose hover tells what a click chooses.

#include <QWidget>

class QComboBox;

namespace pax {

class BackgroundPictures;

class BackgroundPanel : public QWidget {
public:
    BackgroundPanel(BackgroundPictures& pictures, QWidget* parent = nullptr);

    // The list and the preview from the settings.
    void UpdateForm();
    QComboBox& Pictures() { return *m_combo; }

private:
    void OpenDialog();
    void LoadCombo();

    BackgroundPictures& m_pictures;
    QComboBox* m_combo = nullptr;
    QWidget* m_preview = nullptr;
};

}  // namespace pax
