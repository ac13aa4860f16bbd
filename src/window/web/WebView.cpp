// SPDX-License-Identifier: MIT
#include "window/web/WebView.h"

#include <emscripten.h>

#include <cmath>
#include <variant>

#include "window/Keys.h"
#include "window/web/Json.h"

namespace wordrop::window::web {

namespace {

// Text goes to the page with its length, so that no character cuts it short.
// clang-format off
EM_JS(double, measureAdvance, (const char* font, const char* text, int length), {
    const decoded = new TextDecoder().decode(HEAPU8.subarray(text, text + length));
    return Module.measureText(UTF8ToString(font), decoded).advance;
});
EM_JS(double, measureAscent, (const char* font), {
    return Module.measureText(UTF8ToString(font), "").ascent;
});
EM_JS(double, measureLineHeight, (const char* font), {
    return Module.measureText(UTF8ToString(font), "").lineHeight;
});
// clang-format on

// Numbers as JSON and CSS take them: at most three decimals, no exponent. Written by hand,
// as the page's program is smaller without printf's floating point.
void appendNumber(std::string& out, double value) {
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

std::string cssFont(const Font& font) {
    std::string css = font.weight == FontWeight::Bold ? "bold " : "";
    appendNumber(css, font.pixelSize);
    return css + "px \"" + std::string(font.family) + "\"";
}

std::string css(Rgb rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t channel : {rgb.red, rgb.green, rgb.blue}) {
        text += kHex[channel >> 4];
        text += kHex[channel & 15];
    }
    return text;
}

void appendNumbers(std::string& out, std::initializer_list<double> values) {
    out += '[';
    bool first = true;
    for (const double value : values) {
        if (!first) out += ',';
        first = false;
        appendNumber(out, value);
    }
    out += ']';
}

void appendBox(std::string& out, const RectF& box) {
    appendNumbers(out, {box.x, box.y, box.width, box.height});
}

void appendField(std::string& out, std::string_view name) {
    if (out.back() != '{') out += ',';
    appendJsonString(out, name);
    out += ':';
}

void appendString(std::string& out, std::string_view name, std::string_view value) {
    appendField(out, name);
    appendJsonString(out, value);
}

struct ItemWriter {
    std::string& out;
    void operator()(const FilledRect& r) const {
        appendField(out, "rect");
        appendBox(out, r.box);
        appendString(out, "fill", css(r.colour));
        if (r.radius > 0) {
            appendField(out, "radius");
            appendNumber(out, r.radius);
        }
    }
    void operator()(const StrokedLine& l) const {
        appendField(out, "line");
        appendNumbers(out, {l.from.x, l.from.y, l.to.x, l.to.y});
        pen(l.colour, l.width);
    }
    void operator()(const StrokedCircle& c) const {
        appendField(out, "circle");
        appendNumbers(out, {c.centre.x, c.centre.y, c.radius});
        pen(c.colour, c.width);
        if (c.fill) appendString(out, "fill", css(*c.fill));
    }
    void operator()(const TextRun& t) const {
        appendString(out, "text", t.text);
        appendField(out, "at");
        appendNumbers(out, {t.baseline.x, t.baseline.y});
        appendString(out, "font", cssFont(t.font));
        appendString(out, "fill", css(t.colour));
        appendField(out, "clip");
        appendBox(out, t.clip);
    }
    void pen(Rgb colour, double width) const {
        appendString(out, "stroke", css(colour));
        appendField(out, "width");
        appendNumber(out, width);
    }
};

const char* roleName(ReadRole role) {
    switch (role) {
        case ReadRole::Text:
            return "text";
        case ReadRole::Pressable:
            return "pressable";
        case ReadRole::Widget:
            return "widget";
    }
    return "text";
}

// A key as the DOM names it. A letter typed with a layout that is not Latin still names
// the key by its place, as the desktop's shortcuts do.
KeyStroke keyStrokeOf(std::string_view key, std::string_view code, int modifiers, bool repeat,
                      bool composing) {
    KeyStroke stroke{
        .modifiers = Modifiers(modifiers & 15), .repeat = repeat, .composing = composing};
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (key == "Enter") {
        stroke.name = KeyName::Enter;
    } else if (key == " " || key == "Spacebar") {
        stroke.name = KeyName::Space;
    } else if (key == "F2") {
        stroke.name = KeyName::F2;
    } else if (key.size() == 1 && letter(key[0])) {
        stroke.name = KeyName::Letter;
        stroke.letter = static_cast<char>(key[0] & ~0x20);
    } else if (code.size() == 4 && code.starts_with("Key") && letter(code[3])) {
        stroke.name = KeyName::Letter;
        stroke.letter = code[3];
    }
    return stroke;
}

// What an input that changes nothing on the form answers.
constexpr const char* kUnchanged = "{}";

}  // namespace

double BrowserMeasure::advance(const Font& font, std::string_view utf8) const {
    return measureAdvance(cssFont(font).c_str(), utf8.data(), static_cast<int>(utf8.size()));
}

double BrowserMeasure::ascent(const Font& font) const {
    return measureAscent(cssFont(font).c_str());
}

double BrowserMeasure::lineHeight(const Font& font) const {
    return measureLineHeight(cssFont(font).c_str());
}

WebView::WebView(Form& form, Narrator* narrator)
    : form_(form),
      narrator_(narrator),
      scenes_(form, measure_),
      clicks_(form),
      shownText_(form.controls().size()) {
    form_.setObserver(this);
}

WebView::~WebView() {
    form_.setObserver(nullptr);
}

bool WebView::valid(int id) const {
    return id >= 0 && static_cast<std::size_t>(id) < form_.controls().size();
}

std::string WebView::scene() {
    return openAnswer() + "}";
}

// The scene and the window's summary, as every answer that changes the form starts.
std::string WebView::openAnswer() {
    std::string out = "{";
    appendField(out, "scene");
    appendScene(out);
    if (summary_) appendString(out, "summary", summary_());
    return out;
}

// The page's CSS pixels are the scene's device pixels; the browser scales them itself.
void WebView::appendScene(std::string& out) {
    const Scene scene = scenes_.build(1);
    out += '{';
    appendString(out, "title", form_.caption());
    appendField(out, "size");
    appendNumbers(out, {scene.width, scene.height});
    appendField(out, "items");
    out += '[';
    for (const SceneItem& item : scene.items) {
        if (out.back() != '[') out += ',';
        out += '{';
        std::visit(ItemWriter{out}, item.paint);
        if (!item.seen) {
            appendField(out, "seen");
            out += "false";
        }
        out += '}';
    }
    out += ']';
    appendField(out, "widgets");
    out += '[';
    for (const WidgetSlot& slot : scene.widgets) {
        if (out.back() != '[') out += ',';
        appendWidget(out, slot);
    }
    out += ']';
    appendField(out, "reading");
    out += '[';
    for (const Readable& item : scene.reading) {
        if (out.back() != '[') out += ',';
        out += '{';
        appendField(out, "id");
        out += std::to_string(static_cast<std::size_t>(item.control));
        appendString(out, "role", roleName(item.role));
        appendString(out, "text", item.text);
        appendField(out, "box");
        appendBox(out, item.box);
        out += '}';
    }
    out += "]}";
}

void WebView::appendWidget(std::string& out, const WidgetSlot& slot) {
    const auto id = static_cast<std::size_t>(slot.control);
    out += '{';
    appendField(out, "id");
    out += std::to_string(id);
    appendString(out, "kind", slot.kind == ControlKind::TextBox ? "textbox" : "button");
    appendField(out, "box");
    appendBox(out, slot.box);
    appendString(out, "font", cssFont(slot.font));
    appendString(out, "back", css(slot.back));
    appendString(out, "fore", css(slot.fore));
    appendField(out, "visible");
    out += slot.visible ? "true" : "false";
    appendString(out, "name", slot.name);
    if (!slot.shortcut.empty()) appendString(out, "shortcut", slot.shortcut);
    if (slot.kind == ControlKind::CommandButton) {
        // The caption around its underlined letter.
        const std::string_view caption = slot.caption;
        const std::size_t key = slot.accessKey.value_or(caption.size());
        const std::size_t after = std::min(caption.size(), key + 1);
        appendField(out, "caption");
        out += '[';
        appendJsonString(out, caption.substr(0, key));
        out += ',';
        appendJsonString(out, caption.substr(key, after - key));
        out += ',';
        appendJsonString(out, caption.substr(after));
        out += ']';
    }
    // A text box's text goes to the page only when the game changed it: what the player
    // types is in the page already, however long it is.
    const std::string& text = form_.state(slot.control).text;
    if (slot.kind == ControlKind::TextBox && shownText_[id] != text) {
        shownText_[id] = text;
        appendString(out, "text", text);
    }
    out += '}';
}

std::string WebView::answer(const EventResult& result, std::string_view extra) {
    std::string out = openAnswer();
    out += extra;
    if (narrator_) appendString(out, "narration", narrator_->clicked());
    if (result.status == EventStatus::Failed && result.error)
        appendString(out, "error", std::string("Run-time error: ") + result.error->what());
    return out + "}";
}

std::string WebView::pointer(PointerEvent event, double x, double y) {
    switch (event) {
        case PointerEvent::Down:
            clicks_.press({x, y});
            break;
        case PointerEvent::Up:
            if (const auto at = clicks_.release({x, y})) return answer(form_.clickAt(*at));
            break;
        case PointerEvent::Cancel:
            clicks_.forget();
            break;
    }
    return kUnchanged;
}

std::string WebView::key(std::string_view key, std::string_view code, int modifiers, bool repeat,
                         bool composing, int focused) {
    Focus focus = Focus::Window;
    std::optional<ControlId> control;
    if (valid(focused)) {
        control = ControlId(focused);
        switch (form_.state(*control).kind()) {
            case ControlKind::TextBox:
                focus = Focus::TextBox;
                break;
            case ControlKind::CommandButton:
                focus = Focus::Button;
                break;
            default:
                focus = Focus::Label;
                break;
        }
    }
    const KeyOutcome outcome =
        pressKey(form_, keyStrokeOf(key, code, modifiers, repeat, composing), focus, control);
    // The browser keeps the keys that close its windows, and closes them itself.
    switch (outcome.action) {
        case KeyAction::Pass:
        case KeyAction::Close:
            return R"({"consumed":false})";
        case KeyAction::Ignore:
            return R"({"consumed":true})";
        default:
            return answer(outcome.result, R"(,"consumed":true)");
    }
}

std::string WebView::activate(int id) {
    if (!valid(id)) return kUnchanged;
    const auto control = ControlId(id);
    if (form_.state(control).kind() == ControlKind::Label)
        return answer(perform(form_, KeyAction::PressBanner, control));
    return answer(form_.click(control));
}

std::string WebView::type(int id, std::string text) {
    if (!valid(id)) return kUnchanged;
    // The text is in the page already, and typing runs no handler.
    shownText_[static_cast<std::size_t>(id)] = text;
    form_.typeInto(ControlId(id), std::move(text));
    if (narrator_) narrator_->typed();
    return kUnchanged;
}

std::string WebView::relayout() {
    scenes_.forgetAll();
    return scene();
}

}  // namespace wordrop::window::web
