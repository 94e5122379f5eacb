#pragma once
// AnimatedCursor: an animated cursor file shown on a widget, frame by frame at the file's
// rates. A file that is missing or damaged is reported and leaves the normal cursor.

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <string>
#include <vector>

class QWidget;

namespace pax {

struct tAnimatedCursor;

class AnimatedCursor : public QObject {
public:
    static constexpr const char* LoadCaption = "PaxForm:  LoadAnimatedCursor";

    explicit AnimatedCursor(QObject* parent = nullptr);

    // Reads the file; on failure ShowError with LoadCaption and "can not load cursor file `name`".
    bool Load(const std::string& file);
    // The frames as cursors, each shown for its time in milliseconds.
    bool Take(const tAnimatedCursor& cursor);
    bool Loaded() const { return !m_steps.empty(); }
    // Animates on the widget until Stop, which restores the widget's normal cursor.
    void Start(QWidget* widget);
    void Stop();
    const QCursor* Shown() const;

private:
    void Step();

    std::vector<QCursor> m_frames;
    struct StepTime {
        int Frame;
        int Milliseconds;
    };
    std::vector<StepTime> m_steps;
    size_t m_step = 0;
    QPointer<QWidget> m_widget;
    QTimer m_timer;
};

}  // namespace pax
