// SPDX-License-Identifier: MIT
#pragma once

#include "window/Geometry.h"

// Places of Form1's window worth a click, in twips, as every suite names them; the page's
// suite has the same in points.mjs.
namespace wordrop::testing::points {

inline constexpr int kTwipsPerPixel = 15;  // a 96-dpi screen's

inline constexpr window::Point kBackground{4500, 4000};  // the background, where no control is
inline constexpr window::Point kBanner{3000, 3000};      // a banner, where it shows
inline constexpr window::Point kStrip{10230, 4000};      // the lose banner's free strip

// The same place in logical pixels.
inline constexpr double pixels(int twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

}  // namespace wordrop::testing::points
