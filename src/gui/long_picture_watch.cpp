#include "gui/long_picture_watch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

#include <chrono>

#include "app/virtual_key.h"
#include "gui/guard.h"
#include "gui/key_table.h"
#include "system/stop_request.h"

namespace pax {

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return false;
    }
}

}  // namespace

LongPictureWatch::LongPictureWatch(std::function<void()> stop, std::function<void()> close)
    : m_stop(std::move(stop)), m_close(std::move(close)) {
    InstallStopPoll([this] { Poll(); });
    m_thread = std::thread([this] { Watch(); });
}

LongPictureWatch::~LongPictureWatch() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
    InstallStopPoll({});
}

void LongPictureWatch::BeginPicture() {
    if (m_depth++ > 0) return;
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        m_drawing = true;
        ++m_pictures;
        m_pictureStart = std::chrono::steady_clock::now();
        wake = m_watcherIdle;
    }
    // A watcher that waits for a look to fall due takes the new picture when it wakes: the
    // animation loop begins hundreds of pictures a second, and each wake would cost a switch.
    if (wake) m_wake.notify_all();
}

void LongPictureWatch::EndPicture() {
    if (--m_depth > 0) return;
    {
        std::lock_guard lock(m_mutex);
        m_drawing = false;
    }
    ReplayKeptKeys();
}

void LongPictureWatch::Keep(QObject* receiver, const QEvent& event) {
    if (m_kept.size() >= MaxKeptKeys) return;
    m_kept.push_back({receiver, std::unique_ptr<QEvent>(event.clone())});
}

// In the order they came, and ahead of what the picture queued (its loop asks for the next
// picture at once, which would take them in again).
void LongPictureWatch::ReplayKeptKeys() {
    std::vector<KeptEvent> kept = std::move(m_kept);
    m_kept.clear();
    for (KeptEvent& k : kept)
        if (k.Receiver) QCoreApplication::postEvent(k.Receiver, k.Event.release(), Qt::HighEventPriority);
}

// Per picture: the first mark FirstPollMs after its start, then one every PollIntervalMs. A
// picture that ends sooner is never looked into, however closely the next one follows it: a
// look drops the clicks and mouse moves queued at that moment.
void LongPictureWatch::Watch() {
    using namespace std::chrono;
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        m_watcherIdle = true;
        m_wake.wait(lock, [this] { return m_quit || m_drawing; });
        m_watcherIdle = false;
        const uint64_t picture = m_pictures;
        const auto goneOn = [this, picture] { return m_quit || !m_drawing || m_pictures != picture; };
        auto due = m_pictureStart + milliseconds(FirstPollMs);
        while (!m_wake.wait_until(lock, due, goneOn)) {
            MarkStopPollDue();
            due = steady_clock::now() + milliseconds(PollIntervalMs);
        }
    }
}

void LongPictureWatch::Poll() {
    if (m_filtering) return;
    m_filtering = true;
    QCoreApplication::instance()->installEventFilter(this);
    Guard("LongPictureWatch", [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
    QCoreApplication::instance()->removeEventFilter(this);
    m_filtering = false;
}

bool LongPictureWatch::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type())) return QObject::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return true;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const int code = VirtualKeyOf(key->key(), key->modifiers());
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    const bool stops = ctrl && (code == VirtualKey::Pause || code == VirtualKey::Cancel || code == 'Z');
    const bool closes = code == VirtualKey::Escape || code == VirtualKey::F(11);
    if (event->type() == QEvent::KeyRelease) {
        if (!stops && !closes) Guard("LongPictureWatch", [&] { Keep(watched, *event); });
    } else if (stops) {
        Guard("LongPictureWatch", [this] { m_stop(); });
    } else if (closes) {
        RequestStop();
        Guard("LongPictureWatch", [this] { m_close(); });
    } else {
        Guard("LongPictureWatch", [&] { Keep(watched, *event); });
    }
    return true;
}

}  // namespace pax
