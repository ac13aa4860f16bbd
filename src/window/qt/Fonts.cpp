// SPDX-License-Identifier: MIT
#include "window/qt/Fonts.h"
#include "window/qt/QtText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <array>
#include <cmath>
#include <string_view>

namespace wordrop::window::qt {

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

// Gelasio, which few desktops have, travels inside the program (where the build found it)
// and is made known to Qt the first time a face is asked for.
void loadBundledFaces() {
#ifdef WORDROP_GELASIO
    static const bool loaded = [] {
        for (const char* file :
             {":/fonts/gelasio-latin-400-normal.ttf", ":/fonts/gelasio-latin-700-normal.ttf"})
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        return true;
    }();
    static_cast<void>(loaded);
#endif
}

constexpr double kPixelsPerPoint = 96.0 / 72.0;

int pixelSize(const window::FontDesign& design) {
    return static_cast<int>(std::lround(design.points * kPixelsPerPoint));
}

}  // namespace

QFont qtFont(const window::FontDesign& design) {
    if (design.face.empty()) return {};  // shapes and lines show no text
    loadBundledFaces();
    const Substitute substitute = substituteFor(design.face);
    QFont font(substitute.family ? QString::fromLatin1(substitute.family) : toQString(design.face));
    font.setPixelSize(pixelSize(design));
    font.setWeight(design.weight == window::FontWeight::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(design.face == "Courier New" ? QFont::TypeWriter : QFont::Serif);
    return font;
}

LabelFont labelFont(const window::FontDesign& design) {
    LabelFont result{qtFont(design)};
    const QFontMetricsF metrics(result.font);
    const double lineHeightEm = substituteFor(design.face).lineHeightEm;
    result.ascent = metrics.ascent();
    result.lineHeight = lineHeightEm > 0 ? pixelSize(design) * lineHeightEm : metrics.height();
    return result;
}

}  // namespace wordrop::window::qt
