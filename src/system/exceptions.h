#pragma once
// The run-time errors of the system. Each carries the message that the error routines
// and the picture loop log and show.

#include <stdexcept>
#include <string>

namespace pax {

// A value outside its permitted range ("TCursor3d.NewObject: the valid range of 0 .. 100").
class ERangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Undefined geometry: a frame that lost its direction, a division by a vanishing length.
class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A missing or uninitialised object, and exhausted memory (see RaiseNilObject and friends).
class EInvalidPointer : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A run-time error with its numeric code (210 object not initialised, 222 missing window, ...).
class ERunError : public std::runtime_error {
public:
    ERunError(int code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

}  // namespace pax
