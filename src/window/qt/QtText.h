// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

namespace wordrop::window::qt {

// The model's UTF-8 text as Qt's, byte for byte: invalid sequences become U+FFFD.
inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace wordrop::window::qt
