#pragma once
// Nothing may throw out of a Qt slot or event handler: the handlers run their work through
// Guard, which logs what escaped and lets the program go on.

#include <exception>
#include <string_view>
#include <utility>

namespace pax {

// Logs ">>> Error in <where>: " and the message of what escaped.
void LogEscaped(std::string_view where, const char* message) noexcept;

template <class Work>
void Guard(std::string_view where, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& e) {
        LogEscaped(where, e.what());
    } catch (...) {
        LogEscaped(where, "unknown exception");
    }
}

}  // namespace pax
