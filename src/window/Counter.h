// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "window/RuntimeError.h"

namespace wordrop::window {

// A 16-bit signed field whose increment is checked: passing 32767 raises an overflow
// error and leaves the value as it was, instead of wrapping.
class Counter {
  public:
    constexpr Counter() = default;
    constexpr explicit Counter(std::int16_t value) : value_(value) {}

    constexpr operator std::int16_t() const { return value_; }

    Counter& operator=(std::int16_t value) {
        value_ = value;
        return *this;
    }

    void increment() {
        if (value_ == std::numeric_limits<std::int16_t>::max()) {
            throw RuntimeError(ErrorKind::Overflow,
                               "adding 1 to " + std::to_string(value_) + " leaves 16 bits");
        }
        ++value_;
    }

  private:
    std::int16_t value_ = 0;
};

}  // namespace wordrop::window
