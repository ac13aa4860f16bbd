#include "window/qt/Fonts.h"

#include <QFontMetricsF>
#include <array>
#include <cmath>
#include <string_view>

namespace wordrop::view {

namespace {

struct Substitute {
    std::string_view face;
    const char* family;
    // The designed face's line height in ems, where the stand-in's differs enough to move
    // a caption's lines; 0 keeps the stand-in's own.
    double lineHeightEm = 0;
};

// Free faces drawn to the metrics of the ones the window was designed with. Gelasio
// matches Georgia's widths, so captions break where they were designed to, but it has a
// deeper descent: Georgia's own line height keeps "Please Exit" clear of the label below.
constexpr std::array<Substitute, 5> kSubstitutes{{
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Garamond", "EB Garamond"},
    {"Comic Sans MS", "Comic Neue"},
    {"Georgia", "Gelasio", 1.136},
}};

Substitute substituteFor(std::string_view face) {
    for (const Substitute& s : kSubstitutes) {
        if (s.face == face) return s;
    }
    return {face, nullptr};
}

constexpr double kPixelsPerPoint = 96.0 / 72.0;

int pixelSize(const window::FontSpec& spec) {
    return static_cast<int>(std::lround(spec.points * kPixelsPerPoint));
}

}  // namespace

QFont qtFont(const window::FontSpec& spec) {
    if (spec.face.empty()) return {};  // shapes and lines show no text
    const Substitute substitute = substituteFor(spec.face);
    QFont font(substitute.family
                   ? QString::fromLatin1(substitute.family)
                   : QString::fromUtf8(spec.face.data(), static_cast<qsizetype>(spec.face.size())));
    font.setPixelSize(pixelSize(spec));
    font.setWeight(spec.weight == window::FontWeight::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(spec.face == "Courier New" ? QFont::TypeWriter : QFont::Serif);
    return font;
}

LabelFont labelFont(const window::FontSpec& spec) {
    LabelFont result{qtFont(spec)};
    const QFontMetricsF metrics(result.font);
    const double lineHeightEm = substituteFor(spec.face).lineHeightEm;
    result.ascent = metrics.ascent();
    result.lineHeight = lineHeightEm > 0 ? pixelSize(spec) * lineHeightEm : metrics.height();
    return result;
}

}  // namespace wordrop::view
