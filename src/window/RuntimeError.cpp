// SPDX-License-Identifier: MIT
#include "window/RuntimeError.h"

namespace wordrop::window {

RuntimeError::RuntimeError(ErrorKind kind, const std::string& description)
    : std::runtime_error(std::string(describe(kind)) + ": " + description), kind_(kind) {}

const char* describe(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Overflow:
            return "Overflow";
        case ErrorKind::IndexOutOfRange:
            return "Control array element does not exist";
        case ErrorKind::OperationFailed:
            return "Operation failed";
    }
    return "Run-time error";
}

}  // namespace wordrop::window
