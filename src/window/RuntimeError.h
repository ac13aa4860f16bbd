// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace wordrop::window {

enum class ErrorKind {
    Overflow,         // a 16-bit counter was asked to pass 32767
    IndexOutOfRange,  // a control array was reached with an Index it does not have
    OperationFailed,  // an operation on a control or the form did not succeed
};

// The run-time error raised by a failing operation. The routine that meets it stops;
// whatever it had done before stays done.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(ErrorKind kind, const std::string& description);

    ErrorKind kind() const { return kind_; }

  private:
    ErrorKind kind_;
};

const char* describe(ErrorKind kind);

}  // namespace wordrop::window
