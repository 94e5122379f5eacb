#include "gui/window/animated_cursor.h"

#include <QPixmap>
#include <QWidget>

#include <fstream>
#include <iterator>

#include "render/files/ani_cursor.h"
#include "system/debug_log.h"
#include "system/error_reporting.h"

namespace pax {

namespace {

constexpr int JiffyMs = 1000 / 60;
constexpr std::streamsize MaxFileBytes = 4 << 20;

}  // namespace

AnimatedCursor::AnimatedCursor(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Step(); });
}

bool AnimatedCursor::Load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes;
    if (in) {
        in.seekg(0, std::ios::end);
        const std::streamsize size = in.tellg();
        in.seekg(0);
        if (size > 0 && size <= MaxFileBytes) {
            bytes.resize(static_cast<size_t>(size));
            in.read(reinterpret_cast<char*>(bytes.data()), size);
            if (!in) bytes.clear();
        }
    }
    const AniDecodeResult decoded = DecodeAni(bytes);
    if (bytes.empty() || !decoded.Ok() || !Take(decoded.Cursor)) {
        if (!decoded.Ok()) LogLine(std::string(LoadCaption) + ": " + decoded.Error);
        ShowError(LoadCaption, "can not load cursor file `" + file + "`", 0);
        return false;
    }
    return true;
}

bool AnimatedCursor::Take(const tAnimatedCursor& cursor) {
    m_frames.clear();
    m_steps.clear();
    for (const tCursorFrame& frame : cursor.Frames) {
        // A copy with its transparency (ImageOf would make it opaque).
        const QImage image = QImage(reinterpret_cast<const uchar*>(frame.Picture.Bits()), frame.Picture.Width(),
                                    frame.Picture.Height(), static_cast<qsizetype>(frame.Picture.Width()) * 4,
                                    QImage::Format_ARGB32)
                                 .copy();
        m_frames.emplace_back(QPixmap::fromImage(image), frame.HotX, frame.HotY);
    }
    for (size_t i = 0; i < cursor.Sequence.size(); ++i)
        m_steps.push_back({cursor.Sequence[i], std::max(1, cursor.Rates[i] * JiffyMs)});
    return !m_steps.empty();
}

void AnimatedCursor::Start(QWidget* widget) {
    if (!Loaded() || !widget) return;
    m_widget = widget;
    m_step = 0;
    widget->setCursor(m_frames[static_cast<size_t>(m_steps[0].Frame)]);
    m_timer.start(m_steps[0].Milliseconds);
}

void AnimatedCursor::Stop() {
    m_timer.stop();
    if (m_widget) m_widget->unsetCursor();
    m_widget = nullptr;
}

const QCursor* AnimatedCursor::Shown() const {
    if (!m_widget || m_steps.empty()) return nullptr;
    return &m_frames[static_cast<size_t>(m_steps[m_step].Frame)];
}

void AnimatedCursor::Step() {
    if (!m_widget || m_steps.empty()) return;
    m_step = (m_step + 1) % m_steps.size();
    m_widget->setCursor(m_frames[static_cast<size_t>(m_steps[m_step].Frame)]);
    m_timer.start(m_steps[m_step].Milliseconds);
}

}  // namespace pax
