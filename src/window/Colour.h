// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace wordrop::window {

// The desktop's system colours, by their number.
enum class SystemColour : std::uint8_t {
    WindowBackground = 5,
    WindowText = 8,
    ButtonFace = 15,
    ButtonText = 18,
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A colour as a property holds it: either an RGB value or a system colour that follows
// the desktop's scheme and is resolved to RGB only when painted.
class Colour {
  public:
    static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Colour(Rgb{r, g, b});
    }
    static constexpr Colour system(SystemColour c) { return Colour(c); }

    // The RGB value painted for this colour.
    Rgb resolved() const;

    friend constexpr bool operator==(const Colour& a, const Colour& b) {
        return a.isSystem_ == b.isSystem_ &&
               (a.isSystem_ ? a.system_ == b.system_ : a.rgb_ == b.rgb_);
    }

  private:
    constexpr explicit Colour(Rgb c) : rgb_(c) {}
    constexpr explicit Colour(SystemColour c) : isSystem_(true), system_(c) {}

    bool isSystem_ = false;
    Rgb rgb_{};
    SystemColour system_ = SystemColour::ButtonFace;
};

inline constexpr Colour Violet = Colour::rgb(141, 31, 255);
inline constexpr Colour Black = Colour::rgb(0, 0, 0);

}  // namespace wordrop::window
