// SPDX-License-Identifier: MIT
#include "window/web/WebView.h"

#include <emscripten.h>

#include <string>

#include "window/web/SceneJson.h"

namespace wordrop::window::web {

namespace {

// The page's own faces measure the text, on a canvas. Text comes with its length, so that
// no character cuts it short. What: 0 the advance, 1 the ascent, 2 the line's height.
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

double BrowserMeasure::advance(const Font& font, std::string_view utf8) const {
    return measure(cssFont(font).c_str(), utf8.data(), static_cast<int>(utf8.size()), 0);
}

double BrowserMeasure::ascent(const Font& font) const {
    return measure(cssFont(font).c_str(), "", 0, 1);
}

double BrowserMeasure::lineHeight(const Font& font) const {
    return measure(cssFont(font).c_str(), "", 0, 2);
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
