#include "cli/terminal_stream.h"

#include <algorithm>
#include <cerrno>

namespace pax {

void TerminalSafeBuffer::Failed() {
    if (m_error == 0) m_error = errno != 0 ? errno : EIO;
}

TerminalSafeBuffer::int_type TerminalSafeBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const int_type put = m_target->sputc(Shown(traits_type::to_char_type(c)));
    if (traits_type::eq_int_type(put, traits_type::eof())) Failed();
    return put;
}

std::streamsize TerminalSafeBuffer::xsputn(const char* s, std::streamsize n) {
    // Most text has nothing to replace: it goes through in runs between the replaced bytes.
    std::streamsize written = 0;
    while (written < n) {
        const char* begin = s + written;
        const char* end = std::find_if(begin, s + n, [](char c) { return TerminalSafeBuffer::Shown(c) != c; });
        const std::streamsize run = end - begin;
        if (run > 0 && m_target->sputn(begin, run) != run) {
            Failed();
            return written;
        }
        written += run;
        if (written == n) break;
        if (traits_type::eq_int_type(m_target->sputc('?'), traits_type::eof())) {
            Failed();
            return written;
        }
        ++written;
    }
    return written;
}

int TerminalSafeBuffer::sync() {
    const int result = m_target->pubsync();
    if (result != 0) Failed();
    return result;
}

}  // namespace pax
