// SPDX-License-Identifier: MIT
#include "window/qt/Fonts.h"
#include "window/qt/QtText.h"

#include "window/FaceSubstitutes.h"

#include <QFontDatabase>
#include <QFontMetricsF>

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

QFont qtFont(const window::FontDesign& design) {
    if (design.face.empty()) return {};  // shapes and lines show no text
    loadBundledFaces();
    const auto substitute = window::substituteFor(design.face);
    QFont font(toQString(substitute ? substitute->family : design.face));
    font.setPixelSize(window::pixelSize(design));
    font.setWeight(design.weight == window::FontWeight::Bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(design.face == "Courier New" ? QFont::TypeWriter : QFont::Serif);
    return font;
}

LabelFont labelFont(const window::FontDesign& design) {
    LabelFont result{qtFont(design)};
    const QFontMetricsF metrics(result.font);
    const auto substitute = window::substituteFor(design.face);
    const double lineHeightEm = substitute ? substitute->lineHeightEm : 0;
    result.ascent = metrics.ascent();
    result.lineHeight =
        lineHeightEm > 0 ? window::pixelSize(design) * lineHeightEm : metrics.height();
    return result;
}

}  // namespace wordrop::window::qt
