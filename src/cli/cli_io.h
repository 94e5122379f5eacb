#pragma once
// What every subcommand shares: the streams it writes to and the way it fails. A failure is
// thrown as CliError and turned into one line "pax3d: message" on the error stream and the
// exit code by the dispatcher, so that no subcommand prints half a report and goes on.

#include <ostream>
#include <stdexcept>
#include <string>

namespace pax {

namespace ExitCode {
inline constexpr int Ok = 0;
inline constexpr int BadInput = 1;   // parse errors, unknown figure, unreadable file, stopped
inline constexpr int Usage = 2;      // unknown subcommand or option, malformed value
}  // namespace ExitCode

struct CliStreams {
    std::ostream& out;
    std::ostream& err;
};

class CliError : public std::runtime_error {
public:
    CliError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

[[noreturn]] inline void ThrowUsage(const std::string& message) { throw CliError(ExitCode::Usage, message); }
[[noreturn]] inline void ThrowBadInput(const std::string& message) { throw CliError(ExitCode::BadInput, message); }

}  // namespace pax
