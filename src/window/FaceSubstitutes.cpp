// SPDX-License-Identifier: MIT
#include "window/FaceSubstitutes.h"

#include <array>
#include <cmath>

namespace wordrop::window {

namespace {

// Gelasio matches Georgia's widths, so captions break where they were designed to, but it
// has a deeper descent: Georgia's own line height keeps "Please Exit" clear of the label
// below.
constexpr std::array<FaceSubstitute, 5> kSubstitutes{{
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Garamond", "EB Garamond"},
    {"Comic Sans MS", "Comic Neue"},
    {"Georgia", "Gelasio", 1.136},
}};

constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

std::optional<FaceSubstitute> substituteFor(std::string_view face) {
    for (const FaceSubstitute& s : kSubstitutes) {
        if (s.face == face) return s;
    }
    return std::nullopt;
}

int pixelSize(const FontDesign& design) {
    return static_cast<int>(std::lround(design.points * kPixelsPerPoint));
}

}  // namespace wordrop::window
