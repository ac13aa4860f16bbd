// SPDX-License-Identifier: MIT
#include "window/web/SceneJson.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <variant>

namespace wordrop::window::web {

namespace {

// JSON written by hand, as the page's program is smaller without printf's floating point.
// Numbers have at most three decimals and no exponent, as CSS takes them too.
class Json {
  public:
    void begin(char bracket) {
        comma();
        out_ += bracket;
    }
    void end(char bracket) { out_ += bracket; }
    void key(std::string_view name) {
        string(name);
        out_ += ':';
    }
    void text(std::string_view name, std::string_view value) {
        key(name);
        string(value);
    }
    void number(std::string_view name, double value) {
        key(name);
        number(value);
    }
    void flag(std::string_view name, bool value) {
        key(name);
        out_ += value ? "true" : "false";
    }
    void numbers(std::string_view name, std::initializer_list<double> values) {
        key(name);
        begin('[');
        for (const double value : values) number(value);
        end(']');
    }
    void box(std::string_view name, const RectF& box) {
        numbers(name, {box.x, box.y, box.width, box.height});
    }
    // Text as a string literal: the model's text is UTF-8 already; only quotes, backslashes
    // and control characters need escaping.
    void string(std::string_view text) {
        comma();
        static constexpr char kHex[] = "0123456789abcdef";
        out_ += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (byte < 0x20) {
                out_ += "\\u00";
                out_ += kHex[byte >> 4];
                out_ += kHex[byte & 0xf];
            } else {
                out_ += c;
            }
        }
        out_ += '"';
    }
    void number(double value) {
        comma();
        appendNumber(out_, value);
    }
    static void appendNumber(std::string& out, double value) {
        long long thousandths = std::llround(value * 1000);
        if (thousandths < 0) {
            out += '-';
            thousandths = -thousandths;
        }
        out += std::to_string(thousandths / 1000);
        int fraction = static_cast<int>(thousandths % 1000);
        if (fraction == 0) return;
        out += '.';
        for (int digit = 100; fraction > 0; digit /= 10) {
            out += static_cast<char>('0' + fraction / digit);
            fraction %= digit;
        }
    }
    std::string take() { return std::move(out_); }

  private:
    // A value after another in an object or an array is set off by a comma.
    void comma() {
        if (!out_.empty() && out_.back() != '{' && out_.back() != '[' && out_.back() != ':')
            out_ += ',';
    }
    std::string out_;
};

std::string css(Rgb rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t channel : {rgb.red, rgb.green, rgb.blue}) {
        text += kHex[channel >> 4];
        text += kHex[channel & 15];
    }
    return text;
}

// Each item names its kind by its first field: rect, line, circle or text.
struct ItemWriter {
    Json& json;
    void operator()(const FilledRect& r) const {
        json.box("rect", r.box);
        json.text("fill", css(r.colour));
        if (r.radius > 0) json.number("radius", r.radius);
    }
    void operator()(const StrokedLine& l) const {
        json.numbers("line", {l.from.x, l.from.y, l.to.x, l.to.y});
        pen(l.colour, l.width);
    }
    void operator()(const StrokedCircle& c) const {
        json.numbers("circle", {c.centre.x, c.centre.y, c.radius});
        pen(c.colour, c.width);
        if (c.fill) json.text("fill", css(*c.fill));
    }
    void operator()(const TextRun& t) const {
        json.text("text", t.text);
        json.numbers("at", {t.baseline.x, t.baseline.y});
        json.text("font", cssFont(t.font));
        json.text("fill", css(t.colour));
        json.box("clip", t.clip);
    }
    void pen(Rgb colour, double width) const {
        json.text("stroke", css(colour));
        json.number("width", width);
    }
};

void writeWidget(Json& json, const WidgetSlot& slot, bool withText) {
    const bool box = slot.kind == ControlKind::TextBox;
    json.begin('{');
    json.number("id", static_cast<double>(slot.control));
    json.text("kind", box ? "textbox" : "button");
    json.box("box", slot.box);
    json.text("font", cssFont(slot.font));
    json.text("back", css(slot.back));
    json.text("fore", css(slot.fore));
    json.flag("visible", slot.visible);
    if (!slot.shortcut.empty()) json.text("shortcut", slot.shortcut);
    if (box) {
        json.text("name", slot.name);
        if (withText) json.text("text", slot.text);
    } else {
        // The caption around its underlined letter.
        const std::string_view caption = slot.caption;
        const std::size_t key = std::min(slot.accessKey.value_or(caption.size()), caption.size());
        const std::size_t after = std::min(caption.size(), key + 1);
        json.key("caption");
        json.begin('[');
        json.string(caption.substr(0, key));
        json.string(caption.substr(key, after - key));
        json.string(caption.substr(after));
        json.end(']');
    }
    json.end('}');
}

const char* roleName(ReadRole role) {
    switch (role) {
        case ReadRole::Pressable:
            return "pressable";
        case ReadRole::Widget:
            return "widget";
        default:
            return "text";
    }
}

// The page's CSS pixels are the scene's device pixels: the browser scales them itself.
void writeScene(Json& json, Midend& midend, bool everyText, const std::vector<ControlId>& texts) {
    const Scene& scene = midend.scene(1);
    json.begin('{');
    json.text("title", midend.title());
    json.numbers("size", {scene.width, scene.height});
    json.key("items");
    json.begin('[');
    for (const SceneItem& item : scene.items) {
        json.begin('{');
        std::visit(ItemWriter{json}, item.paint);
        json.end('}');
    }
    json.end(']');
    json.key("widgets");
    json.begin('[');
    for (const WidgetSlot& slot : scene.widgets) {
        writeWidget(
            json, slot,
            everyText || std::find(texts.begin(), texts.end(), slot.control) != texts.end());
    }
    json.end(']');
    json.key("reading");
    json.begin('[');
    for (const Readable& readable : scene.reading) {
        json.begin('{');
        json.number("id", static_cast<double>(readable.control));
        json.text("role", roleName(readable.role));
        json.text("text", readable.text);
        json.box("box", readable.box);
        json.end('}');
    }
    json.end(']');
    json.end('}');
}

}  // namespace

std::string cssFont(const Font& font) {
    std::string css = font.weight == FontWeight::Bold ? "bold " : "";
    Json::appendNumber(css, font.pixelSize);
    return css + "px \"" + std::string(font.family) + "\"";
}

std::string answerJson(Midend& midend, const Outcome& outcome, bool whole) {
    Json json;
    json.begin('{');
    if (whole || outcome.changes.any()) {
        json.key("scene");
        writeScene(json, midend, whole, outcome.changes.rewritten);
        json.text("summary", midend.summary());
    }
    if (!outcome.narration.empty()) json.text("narration", outcome.narration);
    if (!outcome.error.empty()) json.text("error", outcome.error);
    if (outcome.used) json.flag("used", true);
    if (outcome.close) json.flag("close", true);
    if (outcome.changes.focusMoved) {
        const auto focus = midend.focus();
        if (focus)
            json.number("focus", static_cast<double>(*focus));
        else
            json.text("focus", "window");
    }
    json.end('}');
    return json.take();
}

}  // namespace wordrop::window::web
