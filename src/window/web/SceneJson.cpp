// SPDX-License-Identifier: MIT
#include "window/web/SceneJson.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <variant>

namespace wordrop::window::web {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// Text as a string literal. The model's text is UTF-8 already: only quotes, backslashes
// and control characters need escaping.
std::string quote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += std::string("\\u00") + kHex[byte >> 4] + kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

// Numbers as JSON and CSS take them: at most three decimals, no exponent. Written by hand,
// as the page's program is smaller without printf's floating point.
std::string number(double value) {
    const long long thousandths = std::llround(std::abs(value) * 1000);
    std::string out =
        (value < 0 && thousandths > 0 ? "-" : "") + std::to_string(thousandths / 1000);
    if (const long long fraction = thousandths % 1000) {
        const std::string digits = std::to_string(1000 + fraction).substr(1);
        out += '.' + digits.substr(0, digits.find_last_not_of('0') + 1);
    }
    return out;
}

template <typename List, typename Write>
std::string array(const List& list, Write write) {
    std::string out = "[";
    for (const auto& element : list) out += (out.size() > 1 ? "," : "") + write(element);
    return out + ']';
}

std::string numbers(std::initializer_list<double> values) {
    return array(values, number);
}

std::string box(const RectF& box) {
    return numbers({box.x, box.y, box.width, box.height});
}

std::string css(Rgb rgb) {
    std::string text = "#";
    for (const std::uint8_t channel : {rgb.red, rgb.green, rgb.blue}) {
        text += kHex[channel >> 4];
        text += kHex[channel & 15];
    }
    return text;
}

// An object, one field after another.
class Object {
  public:
    Object& json(std::string_view name, std::string_view json) {
        out_ += (out_.size() > 1 ? "," : "") + quote(name) + ':';
        out_ += json;
        return *this;
    }
    Object& text(std::string_view name, std::string_view value) { return json(name, quote(value)); }
    Object& number(std::string_view name, double value) { return json(name, web::number(value)); }
    std::string close() { return std::move(out_) + '}'; }

  private:
    std::string out_ = "{";
};

// Each item names its kind by its first field: rect, line, circle or text.
std::string itemJson(const SceneItem& item) {
    Object o;
    if (const auto* r = std::get_if<FilledRect>(&item.paint)) {
        o.json("rect", box(r->box)).text("fill", css(r->colour));
        if (r->radius > 0) o.number("radius", r->radius);
    } else if (const auto* l = std::get_if<StrokedLine>(&item.paint)) {
        o.json("line", numbers({l->from.x, l->from.y, l->to.x, l->to.y}));
        o.text("stroke", css(l->colour)).number("width", l->width);
    } else if (const auto* c = std::get_if<StrokedCircle>(&item.paint)) {
        o.json("circle", numbers({c->centre.x, c->centre.y, c->radius}));
        o.text("stroke", css(c->colour)).number("width", c->width);
        if (c->fill) o.text("fill", css(*c->fill));
    } else if (const auto* t = std::get_if<TextRun>(&item.paint)) {
        o.text("text", t->text).json("at", numbers({t->baseline.x, t->baseline.y}));
        o.text("font", cssFont(t->font)).text("fill", css(t->colour)).json("clip", box(t->clip));
        if (!t->offsets.empty()) o.json("offsets", array(t->offsets, number));
    }
    return o.close();
}

std::string widgetJson(const WidgetSlot& slot, bool withText) {
    Object o;
    const bool textBox = slot.kind == ControlKind::TextBox;
    o.number("id", double(slot.control)).text("kind", textBox ? "textbox" : "button");
    o.json("box", box(slot.box)).text("font", cssFont(slot.font));
    o.text("back", css(slot.back)).text("fore", css(slot.fore));
    o.json("visible", slot.visible ? "true" : "false");
    if (!slot.shortcut.empty()) o.text("shortcut", slot.shortcut);
    if (textBox) {
        o.text("name", slot.name);
        if (withText) o.text("text", slot.text);
        return o.close();
    }
    // The caption around its underlined letter.
    const std::string_view caption = slot.caption;
    const std::size_t key = std::min(slot.accessKey.value_or(caption.size()), caption.size());
    const std::size_t after = std::min(caption.size(), key + 1);
    const auto parts = {caption.substr(0, key), caption.substr(key, after - key),
                        caption.substr(after)};
    return o.json("caption", array(parts, quote)).close();
}

const char* roleName(ReadRole role) {
    return role == ReadRole::Pressable ? "pressable" : role == ReadRole::Widget ? "widget" : "text";
}

// The page's CSS pixels are the scene's device pixels: the browser scales them itself.
std::string sceneJson(Midend& midend, bool everyText, const std::vector<ControlId>& texts) {
    const Scene& scene = midend.scene(1);
    const auto widget = [&](const WidgetSlot& slot) {
        return widgetJson(slot,
                          everyText || std::count(texts.begin(), texts.end(), slot.control) > 0);
    };
    const auto readable = [](const Readable& line) {
        return Object()
            .number("id", double(line.control))
            .text("role", roleName(line.role))
            .text("text", line.text)
            .json("box", box(line.box))
            .close();
    };
    return Object()
        .text("title", midend.title())
        .json("size", numbers({scene.width, scene.height}))
        .json("items", array(scene.items, itemJson))
        .json("widgets", array(scene.widgets, widget))
        .json("reading", array(scene.reading, readable))
        .close();
}

}  // namespace

// The face's stand-in (fonts.css) takes its place while it loads, or if it fails.
std::string cssFont(const Font& font) {
    const std::string family(font.family);
    return (font.weight == FontWeight::Bold ? "bold " : "") + number(font.pixelSize) + "px \"" +
           family + "\", \"" + family + " stand-in\"";
}

std::string answerJson(Midend& midend, const Outcome& outcome, bool whole) {
    Object o;
    if (whole || outcome.changes.any()) {
        o.json("scene", sceneJson(midend, whole, outcome.changes.rewritten));
        o.text("summary", midend.summary());
        std::string letters;
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const LetterMark mark = midend.letterMark(letter);
            letters += mark == LetterMark::Right ? 'r' : mark == LetterMark::Wrong ? 'w' : '.';
        }
        o.text("letters", letters);
        o.json("pick", midend.canPickLetter() ? "true" : "false");
        o.json("start", midend.available(KeyAction::NewGame) ? "true" : "false");
        o.json("over", midend.finished() ? "true" : "false");
    }
    if (!outcome.narration.empty()) o.text("narration", outcome.narration);
    if (!outcome.error.empty()) o.text("error", outcome.error);
    if (outcome.used) o.json("used", "true");
    if (outcome.close) o.json("close", "true");
    if (outcome.changes.focusMoved) {
        if (const auto focus = midend.focus())
            o.number("focus", double(*focus));
        else
            o.text("focus", "window");
    }
    o.json("marked", midend.focusMarked() ? "true" : "false");
    return o.close();
}

}  // namespace wordrop::window::web
