// SPDX-License-Identifier: MIT
#include "window/web/WebView.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string>

#include "window/web/FaceWidths.h"
#include "window/web/SceneJson.h"

namespace wordrop::window::web {

namespace {

#include "FaceTables.inc"

// A face's own metrics, in its units, as the build read them from its file.
struct FaceMetrics {
    std::string_view family;
    int weight;
    double unitsPerEm;
    double ascent;
    double descent;
    FaceWidths widths;
};

constexpr FaceMetrics kFaces[] = {
#include "FaceMetrics.inc"
};
static_assert(std::all_of(std::begin(kFaces), std::end(kFaces),
                          [](const auto& face) { return face.widths.sorted(); }),
              "the faces' widths are looked up by halves: they must come in order");

const FaceMetrics* metricsOf(const Font& font) {
    const int weight = font.weight == FontWeight::Bold ? 700 : 400;
    const auto* found = std::find_if(std::begin(kFaces), std::end(kFaces), [&](const auto& face) {
        return face.family == font.family && face.weight == weight;
    });
    return found == std::end(kFaces) ? nullptr : found;
}

// In whole pixels, as Chromium and WebKit round them (Firefox would round up): a caption
// then stands on the same baseline in every browser, and the faces' rules in fonts.css
// hold every browser to these metrics, not to its own reading of the face.
double pixels(double units, const FaceMetrics& face, const Font& font) {
    return std::round(units * font.pixelSize / face.unitsPerEm);
}

// The browser measures the text, on a canvas, where the faces' files do not say. Text
// comes with its length, so that no character cuts it short. What: 0 the advance, 1 the
// ascent, 2 the line's height.
// clang-format off
EM_JS(double, measure, (const char* font, const char* text, int length, int what), {
    const context = Module.measuring = Module.measuring ||
                                       document.createElement("canvas").getContext("2d");
    context.font = UTF8ToString(font);
    const m = context.measureText(new TextDecoder().decode(HEAPU8.subarray(text, text + length)));
    return [m.width, m.fontBoundingBoxAscent, m.fontBoundingBoxAscent + m.fontBoundingBoxDescent][what];
});
// clang-format on

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A key that types a character has it as its name; the others have words ("Enter").
bool isCharacter(std::string_view key) {
    if (key.empty()) return false;
    const auto lead = static_cast<unsigned char>(key[0]);
    return key.size() == (lead < 0x80 ? 1U : lead >= 0xf0 ? 4U : lead >= 0xe0 ? 3U : 2U);
}

}  // namespace

// Widths from the faces' files, the same in every engine: WebKit rounds every advance to
// whole pixels, and Firefox kerns no pair across a space.
double BrowserMeasure::advance(const Font& font, std::string_view utf8) const {
    if (const FaceMetrics* face = metricsOf(font)) {
        if (const std::optional<double> units = face->widths.of(utf8))
            return *units * font.pixelSize / face->unitsPerEm;
    }
    return measure(cssFont(font).c_str(), utf8.data(), static_cast<int>(utf8.size()), 0);
}

std::vector<double> BrowserMeasure::offsets(const Font& font, std::string_view utf8) const {
    const FaceMetrics* face = metricsOf(font);
    if (face == nullptr) return {};
    std::vector<double> starts = face->widths.offsets(utf8);
    for (double& start : starts) start *= font.pixelSize / face->unitsPerEm;
    return starts;
}

double BrowserMeasure::ascent(const Font& font) const {
    const FaceMetrics* face = metricsOf(font);
    if (face == nullptr) return measure(cssFont(font).c_str(), "", 0, 1);
    return pixels(face->ascent, *face, font);
}

double BrowserMeasure::lineHeight(const Font& font) const {
    const FaceMetrics* face = metricsOf(font);
    if (face == nullptr) return measure(cssFont(font).c_str(), "", 0, 2);
    return pixels(face->ascent, *face, font) + pixels(face->descent, *face, font);
}

// A letter typed with a layout that is not Latin still names the key by its place, as the
// desktop's shortcuts do.
KeyStroke domKeyStroke(std::string_view key, std::string_view code, int modifiers, bool repeat,
                       bool composing) {
    KeyStroke stroke{
        .modifiers = Modifiers(modifiers & 15), .repeat = repeat, .composing = composing};
    if (key == "Enter") {
        stroke.name = KeyName::Enter;
    } else if (key == " " || key == "Spacebar") {
        stroke.name = KeyName::Space;
    } else if (key == "F2") {
        stroke.name = KeyName::F2;
    } else if (key == "Tab") {
        stroke.name = KeyName::Tab;
    } else if (key.size() == 1 && isLetter(key[0])) {
        stroke.name = KeyName::Letter;
        stroke.letter = static_cast<char>(key[0] & ~0x20);
    } else if (code.size() == 4 && code.starts_with("Key") && isLetter(code[3])) {
        stroke.name = KeyName::Letter;
        stroke.letter = code[3];
    }
    if (stroke.name == KeyName::Letter && isCharacter(key)) stroke.text = std::string(key);
    return stroke;
}

}  // namespace wordrop::window::web
