#include "cli/terminal_stream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>

namespace pax {
namespace {

TEST(TerminalSafeStream, ControlCharactersOfEchoedTextBecomeQuestionMarks) {
    std::ostringstream target;
    TerminalSafeStream out(target);
    // A rule text with an escape sequence, a carriage return and a delete, then tab, line feed
    // and UTF-8 letters that must pass; single characters take the other path of the buffer.
    out << "F\x1B[2JF\r+\x7F-\tG\xC3\xBC\n" << '\x07' << 'x' << std::string(1, '\0') << 42;
    out.flush();
    EXPECT_EQ(target.str(), "F?[2JF?+?-\tG\xC3\xBC\n?x?42");
}

// Standard output on a full disk: the failure is kept, with its reason.
TEST(TerminalSafeStream, AWriteTheTargetRefusesIsKept) {
    std::ofstream full("/dev/full");
    TerminalSafeStream out(full);
    EXPECT_EQ(out.WriteError(), 0);
    out << std::string(100000, 'x') << '\x1B';
    out.flush();
    EXPECT_FALSE(out);
    EXPECT_EQ(out.WriteError(), ENOSPC);
}

}  // namespace
}  // namespace pax
