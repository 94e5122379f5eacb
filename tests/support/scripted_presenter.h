#pragma once
// A presenter for tests: records every box and answers from a script (by default OK, or
// Ignore for the Abort/Retry/Ignore style). Installed for the lifetime of the object.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "system/presenter.h"

namespace pax::testing {

class ScriptedPresenter : public Presenter {
public:
    struct State {
        std::vector<MessageRequest> shown;
        std::deque<int> answers;
        std::string clipboard;
    };

    int Show(const MessageRequest& request) override {
        m_state->shown.push_back(request);
        if (m_state->answers.empty()) return DefaultAnswer(request.buttons);
        int answer = m_state->answers.front();
        m_state->answers.pop_front();
        return answer;
    }
    void SetClipboardText(std::string_view text) override { m_state->clipboard = text; }

    explicit ScriptedPresenter(std::shared_ptr<State> state) : m_state(std::move(state)) {}

private:
    std::shared_ptr<State> m_state;
};

// Installs a ScriptedPresenter for its lifetime and restores the previous presenter after.
class ScopedPresenter {
public:
    ScopedPresenter() : m_state(std::make_shared<ScriptedPresenter::State>()) {
        m_previous = InstallPresenter(std::make_unique<ScriptedPresenter>(m_state));
    }
    ~ScopedPresenter() { InstallPresenter(std::move(m_previous)); }
    ScopedPresenter(const ScopedPresenter&) = delete;
    ScopedPresenter& operator=(const ScopedPresenter&) = delete;

    const std::vector<MessageRequest>& Shown() const { return m_state->shown; }
    size_t Count() const { return m_state->shown.size(); }
    const MessageRequest& Last() const { return m_state->shown.back(); }
    void Answer(int answer) { m_state->answers.push_back(answer); }
    const std::string& Clipboard() const { return m_state->clipboard; }
    void Clear() { m_state->shown.clear(); }

private:
    std::shared_ptr<ScriptedPresenter::State> m_state;
    std::unique_ptr<Presenter> m_previous;
};

}  // namespace pax::testing
