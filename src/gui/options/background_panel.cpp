#include "gui/options/background_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/options/background_pictures.h"
#include "gui/guard.h"
#include "gui/options/picture_dialogs.h"
#include "gui/tool_windows/tool_window.h"
#include "render/textures/textures.h"
#include "system/settings.h"

namespace pax {

namespace {

QImage ImageOf(const TBitmap32& b) {
    return QImage(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(),
                  static_cast<qsizetype>(b.Width()) * 4, QImage::Format_ARGB32);
}

// The preview: one strip per background type, the chosen one framed.
class TypePreview : public QWidget {
public:
    static constexpr int Strips = 4;

    explicit TypePreview(BackgroundPictures& pictures, QWidget* parent) : QWidget(parent), m_pictures(pictures) {
        setMouseTracking(true);
        setFixedSize(200, 60);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const TBitmap32& loaded = m_pictures.Loaded();
        for (int i = 0; i < Strips; ++i) {
            const QRect r = Strip(i).adjusted(2, 2, -2, -2);
            switch (static_cast<BackgroundType>(i)) {
            case BackgroundType::Colour:
                p.fillRect(r, QColor::fromRgb(ConfigValues().OpaqueBackground()));
                break;
            case BackgroundType::Texture:
                if (const TTextureRef texture = CurrentTexture(); texture && !texture->Empty())
                    p.fillRect(r, QBrush(QPixmap::fromImage(ImageOf(*texture))));
                else
                    p.fillRect(r, QBrush(Qt::gray, Qt::Dense4Pattern));
                break;
            case BackgroundType::Picture:
            case BackgroundType::Panorama:
                if (loaded.Empty()) {
                    p.fillRect(r, Qt::lightGray);
                } else if (i == 2) {
                    p.drawImage(r, ImageOf(loaded));
                } else {
                    // A panorama's middle third, as the eye sees part of it.
                    const int w = loaded.Width() / 3;
                    p.drawImage(r, ImageOf(loaded), QRect(w, 0, w, loaded.Height()));
                }
                break;
            }
            const bool chosen = static_cast<int>(m_pictures.Type()) == i;
            p.setPen(QPen(chosen ? palette().highlight().color() : palette().mid().color(), chosen ? 3 : 1));
            p.drawRect(Strip(i).adjusted(1, 1, -2, -2));
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const BackgroundType type = TypeAt(event->position().toPoint());
        setToolTip(Utf8(BackgroundPictures::TypeHint(type)));
        QToolTip::showText(event->globalPosition().toPoint(), toolTip(), this);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        const BackgroundType type = TypeAt(event->position().toPoint());
        Guard("OptionForm.ImageBackClick", [&] { m_pictures.ChooseType(type); });
        update();
    }

private:
    QRect Strip(int i) const { return QRect(i * width() / Strips, 0, width() / Strips, height()); }
    BackgroundType TypeAt(QPoint at) const {
        return static_cast<BackgroundType>(std::clamp(at.x() * Strips / std::max(1, width()), 0, Strips - 1));
    }

    BackgroundPictures& m_pictures;
};

}  // namespace

BackgroundPanel::BackgroundPanel(BackgroundPictures& pictures, QWidget* parent)
    : QWidget(parent), m_pictures(pictures) {
    m_combo = new QComboBox(this);
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setToolTip("press return to load picture");
    m_combo->setMinimumContentsLength(24);
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        Guard("OptionForm.SelectPictureClick", [&] { m_pictures.SelectPicture(index); });
    });
    connect(m_combo->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const std::string name = m_combo->currentText().toStdString();
        m_combo->lineEdit()->setModified(false);
        Guard("OptionForm.EditPicFileKeyPress", [&] {
            const auto& list = ConfigValues().PictureList;
            const auto it = std::find(list.begin(), list.end(), name);
            if (it != list.end()) m_pictures.SelectPicture(static_cast<int>(it - list.begin()));
            else m_pictures.LoadTyped(name);
        });
    });

    auto button = [this](const char* text, const char* hint, auto&& click) {
        auto* b = new QPushButton(text, this);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        b->setFixedWidth(32);
        connect(b, &QPushButton::clicked, this, [click] { Guard("OptionForm.PictureButton", click); });
        return b;
    };
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_combo, 1);
    row->addWidget(button("...", "open a background picture", [this] { OpenDialog(); }));
    row->addWidget(button("<", "previous picture", [this] { m_pictures.Previous(); }));
    row->addWidget(button(">", "next picture", [this] { m_pictures.Next(); }));
    row->addWidget(button("x", "remove the picture from the list", [this] { m_pictures.RemoveSelected(); }));

    m_preview = new TypePreview(pictures, this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(row);
    column->addWidget(m_preview, 0, Qt::AlignLeft);
    m_pictures.OnChange([this] { UpdateForm(); });
}

void BackgroundPanel::LoadCombo() {
    const tConfigValues& v = ConfigValues();
    const QSignalBlocker block(m_combo);
    QStringList items;
    for (const std::string& file : v.PictureList) items << QString::fromStdString(file);
    QStringList shown;
    for (int i = 0; i < m_combo->count(); ++i) shown << m_combo->itemText(i);
    // A name being typed stays until Return, whatever refreshes the dialog meanwhile.
    if (items == shown && m_combo->lineEdit()->isModified()) return;
    m_combo->clear();
    m_combo->addItems(items);
    m_combo->lineEdit()->setModified(false);
    if (v.UsedPictureIndex >= 0 && v.UsedPictureIndex < m_combo->count())
        m_combo->setCurrentIndex(v.UsedPictureIndex);
    else
        m_combo->setEditText(QString::fromStdString(v.UsedPicture));
}

void BackgroundPanel::UpdateForm() {
    LoadCombo();
    m_preview->update();
}

void BackgroundPanel::OpenDialog() { LoadPictureDialog(this, m_pictures); }

}  // namespace pax
