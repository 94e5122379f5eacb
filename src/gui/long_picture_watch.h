#pragma once
// LongPictureWatch: a picture that takes long (a deep system, a runaway rule) must not freeze
// the window. While the user-interface thread draws, a watcher thread marks a look at the
// input as due every PollInterval once the picture has run for FirstPoll; the engine's next
// stop check then runs the poll on the drawing thread. The poll handles the queued events
// with the user's input filtered: Ctrl+Break and Ctrl+Z stop the picture, Esc and F11 close
// the window (which stops it too). Nothing else may change the scene under the figure that
// draws it: the other keys are kept and handled once the picture has ended (a user who
// presses Space and then Ctrl+Z gets the next figure); clicks and menus are dropped.

#include <QObject>
#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace pax {

class LongPictureWatch : public QObject {
public:
    static constexpr int FirstPollMs = 150;
    static constexpr int PollIntervalMs = 100;
    // Key events kept for after the picture; a held key's repeats beyond them are dropped.
    static constexpr size_t MaxKeptKeys = 32;

    // stop: what a break key does (beep, abort drawing); close: what Esc does.
    LongPictureWatch(std::function<void()> stop, std::function<void()> close);
    ~LongPictureWatch() override;

    // Around every picture the user-interface thread draws; nests. The outermost end posts
    // the kept keys again.
    void BeginPicture();
    void EndPicture();
    bool Drawing() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch();
    void Poll();
    void Keep(QObject* receiver, const QEvent& event);
    void ReplayKeptKeys();

    struct KeptEvent {
        QPointer<QObject> Receiver;
        std::unique_ptr<QEvent> Event;
    };

    std::function<void()> m_stop;
    std::function<void()> m_close;
    int m_depth = 0;
    bool m_filtering = false;
    std::vector<KeptEvent> m_kept;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // All guarded by m_mutex. m_pictures counts the outermost pictures begun, m_pictureStart
    // is the last one's start; m_watcherIdle says that the watcher waits for a picture to
    // begin (not for a look to fall due).
    bool m_quit = false;
    bool m_drawing = false;
    bool m_watcherIdle = false;
    uint64_t m_pictures = 0;
    std::chrono::steady_clock::time_point m_pictureStart;
    std::thread m_thread;
};

}  // namespace pax
