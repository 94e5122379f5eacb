#pragma once
// The command line echoes text from the user's files (rule texts, names, the offending line of
// a parse error). A byte such as ESC in a damaged or hostile file would otherwise reach the
// terminal as a control sequence, so every control character but tab and line feed is written
// as "?". Bytes from 0x80 up pass unchanged: they carry the UTF-8 and Latin-1 letters of names.

#include <ostream>
#include <streambuf>

namespace pax {

class TerminalSafeBuffer : public std::streambuf {
public:
    explicit TerminalSafeBuffer(std::streambuf* target) : m_target(target) {}

    // The errno of the first write the target refused (ENOSPC of a full disk, EPIPE); 0 while
    // every write went through.
    int WriteError() const { return m_error; }

    static char Shown(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\t') return c;
        return byte < 0x20 || byte == 0x7F ? '?' : c;
    }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void Failed();

    std::streambuf* m_target;
    int m_error = 0;
};

// An ostream over another one's buffer, with the filter between.
class TerminalSafeStream : public std::ostream {
public:
    explicit TerminalSafeStream(std::ostream& target) : std::ostream(nullptr), m_buffer(target.rdbuf()) {
        rdbuf(&m_buffer);
    }
    int WriteError() const { return m_buffer.WriteError(); }

private:
    TerminalSafeBuffer m_buffer;
};

}  // namespace pax
