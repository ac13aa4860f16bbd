// SPDX-License-Identifier: MIT
#include "window/qt/Fonts.h"

#include <QFontDatabase>
#include <cmath>

#include "window/qt/QtText.h"

namespace wordrop::window::qt {

namespace {

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

}  // namespace

QFont qtFont(const window::Font& font, double scale) {
    if (font.family.empty()) return {};
    loadBundledFaces();
    QFont result(toQString(font.family));
    result.setPixelSize(static_cast<int>(std::lround(font.pixelSize / scale)));
    result.setWeight(font.weight == window::FontWeight::Bold ? QFont::Bold : QFont::Normal);
    result.setStyleHint(font.fixedPitch ? QFont::TypeWriter : QFont::Serif);
    return result;
}

const QFontMetricsF& QtFontMeasure::metrics(const window::Font& font) const {
    for (const auto& [face, metrics] : faces_) {
        if (face == font) return metrics;
    }
    return faces_.emplace_back(font, QFontMetricsF(qtFont(font))).second;
}

double QtFontMeasure::advance(const window::Font& font, std::string_view utf8) const {
    return metrics(font).horizontalAdvance(toQString(utf8));
}

double QtFontMeasure::ascent(const window::Font& font) const {
    return metrics(font).ascent();
}

double QtFontMeasure::lineHeight(const window::Font& font) const {
    return metrics(font).height();
}

}  // namespace wordrop::window::qt
