// SPDX-License-Identifier: MIT
#include "window/web/WebView.h"

#include <emscripten.h>

#include <cstdio>
#include <variant>

#include "window/FaceSubstitutes.h"
#include "window/web/Json.h"

namespace wordrop::window::web {

namespace {

// The page measures text with the browser's own fonts (a canvas's measureText), so a
// caption breaks where the browser will draw it.
// clang-format off
EM_JS(double, measureAdvance, (const char* font, const char* text), {
    return Module.measureText(UTF8ToString(font), UTF8ToString(text)).advance;
});
EM_JS(double, measureAscent, (const char* font), {
    return Module.measureText(UTF8ToString(font), "").ascent;
});
EM_JS(double, measureLineHeight, (const char* font), {
    return Module.measureText(UTF8ToString(font), "").lineHeight;
});
// clang-format on

std::string cssFont(const FontDesign& design) {
    const auto substitute = substituteFor(design.face);
    std::string font = design.weight == FontWeight::Bold ? "bold " : "";
    font += std::to_string(pixelSize(design)) + "px \"";
    font += substitute ? substitute->family : design.face;
    return font + "\"";
}

class BrowserMeasure final : public TextMeasure {
  public:
    explicit BrowserMeasure(const FontDesign& design) : font_(cssFont(design)) {
        const auto substitute = substituteFor(design.face);
        lineHeight_ = substitute && substitute->lineHeightEm > 0
                          ? pixelSize(design) * substitute->lineHeightEm
                          : measureLineHeight(font_.c_str());
    }
    double advance(std::string_view utf8) const override {
        const std::string text(utf8);
        return measureAdvance(font_.c_str(), text.c_str());
    }
    double lineHeight() const override { return lineHeight_; }
    double ascent() const { return measureAscent(font_.c_str()); }
    const std::string& font() const { return font_; }

  private:
    std::string font_;
    double lineHeight_ = 0;
};

std::string css(Colour colour) {
    const Rgb rgb = colour.resolved();
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return text;
}

void appendNumber(std::string& out, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    out += text;
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

void appendBox(std::string& out, Rect box) {
    appendNumbers(
        out, {pixelsOf(box.left), pixelsOf(box.top), pixelsOf(box.width), pixelsOf(box.height)});
}

void appendField(std::string& out, std::string_view name) {
    if (out.back() != '{') out += ',';
    appendJsonString(out, name);
    out += ':';
}

}  // namespace

WebView::WebView(Form& form, Narrator* narrator)
    : form_(form),
      narrator_(narrator),
      shownText_(form.controls().size()),
      captions_(form.controls().size()) {
    form_.setObserver(this);
}

WebView::~WebView() {
    form_.setObserver(nullptr);
}

void WebView::controlChanged(ControlId id) {
    captions_[static_cast<std::size_t>(id)].reset();
}

// A label's font and its caption's lines: the words where they stand, with the spaces
// (which draw nothing) left out, so that a screen reader reads no padding.
const std::string& WebView::captionLayout(ControlId id) {
    auto& layout = captions_[static_cast<std::size_t>(id)];
    if (layout) return *layout;
    const Control& control = form_.state(id);
    const BrowserMeasure measure(control.design->font);
    const double ascent = measure.ascent();
    std::string out = "{";
    appendField(out, "font");
    appendJsonString(out, measure.font());
    appendField(out, "lines");
    out += '[';
    bool first = true;
    for (const LaidLine& line :
         layOutCaption(control.caption, pixelsOf(control.bounds().width),
                       pixelsOf(control.bounds().height), control.design->alignment, measure)) {
        const std::size_t start = line.text.find_first_not_of(' ');
        if (start == std::string_view::npos) continue;
        const std::string_view words =
            line.text.substr(start, line.text.find_last_not_of(' ') + 1 - start);
        if (!first) out += ',';
        first = false;
        out += '[';
        appendNumber(out, line.x + measure.advance(line.text.substr(0, start)));
        out += ',';
        appendNumber(out, line.y + ascent);
        out += ',';
        appendJsonString(out, words);
        out += ']';
    }
    out += ']';
    // Kept without its braces, to be spliced into the label's object.
    layout = out.substr(1);
    return *layout;
}

std::string WebView::scene() {
    std::string out = "{";
    appendField(out, "title");
    appendJsonString(out, form_.caption());
    appendField(out, "size");
    appendNumbers(out, {pixelsOf(form_.clientSize().width), pixelsOf(form_.clientSize().height)});
    appendField(out, "back");
    appendJsonString(out, css(form_.backColour()));
    appendField(out, "drawing");
    appendDrawing(out);
    appendField(out, "controls");
    out += '[';
    // Back to front, the order the page stacks its elements in.
    const auto count = form_.controls().size();
    for (std::size_t i = count; i-- > 0;) {
        appendControl(out, static_cast<ControlId>(i));
        if (i > 0) out += ',';
    }
    return out + "]}";
}

void WebView::appendControl(std::string& out, ControlId id) {
    const Control& control = form_.state(id);
    const auto slot = static_cast<std::size_t>(id);
    out += '{';
    appendField(out, "id");
    out += std::to_string(slot);
    appendField(out, "kind");
    appendJsonString(out, kindName(control.kind()));
    appendField(out, "name");
    appendJsonString(out, displayName(control));
    appendField(out, "visible");
    out += control.visible ? "true" : "false";
    appendField(out, "box");
    appendBox(out, control.bounds());
    appendField(out, "back");
    appendJsonString(out, css(control.back));
    appendField(out, "fore");
    appendJsonString(out, css(control.fore));
    switch (control.kind()) {
        case ControlKind::Label:
            appendField(out, "clickable");
            out += form_.answersClicks(id) ? "true" : "false";
            // Text in its own background's colour is there, but nobody can see it; nor
            // can anyone see a label that a control in front of it covers.
            appendField(out, "seen");
            out += control.fore.resolved() == control.back.resolved() || form_.covered(id) ? "false"
                                                                                           : "true";
            if (control.caption.empty() || !control.visible) break;
            out += ',';
            out += captionLayout(id);
            break;
        case ControlKind::TextBox:
            appendField(out, "font");
            appendJsonString(out, cssFont(control.design->font));
            appendField(out, "tab");
            out += std::to_string(control.design->tabIndex);
            if (const auto label = form_.labelFor(id)) {
                appendField(out, "labelledBy");
                out += std::to_string(static_cast<std::size_t>(*label));
            }
            // A text box's text goes to the page only when the game changed it: what the
            // player types is in the page already, however long it is.
            if (shownText_[slot] != control.text) {
                shownText_[slot] = control.text;
                appendField(out, "text");
                appendJsonString(out, control.text);
            }
            break;
        case ControlKind::CommandButton:
            appendField(out, "font");
            appendJsonString(out, cssFont(control.design->font));
            appendField(out, "tab");
            out += std::to_string(control.design->tabIndex);
            appendField(out, "caption");
            appendJsonString(out, control.caption);
            break;
        case ControlKind::Shape:
            appendField(out, "rounded");
            out += control.design->shape == ShapeStyle::RoundedSquare ? "true" : "false";
            break;
        case ControlKind::Line: {
            const Segment ends = control.design->ends;
            appendField(out, "ends");
            appendNumbers(out, {pixelsOf(ends.from.x), pixelsOf(ends.from.y), pixelsOf(ends.to.x),
                                pixelsOf(ends.to.y)});
            break;
        }
    }
    out += '}';
}

void WebView::appendDrawing(std::string& out) const {
    out += '[';
    bool first = true;
    for (const Primitive& primitive : form_.drawing().primitives) {
        if (!first) out += ',';
        first = false;
        out += '{';
        if (const auto* circle = std::get_if<CircleShape>(&primitive)) {
            appendField(out, "circle");
            appendNumbers(out, {pixelsOf(circle->centre.x), pixelsOf(circle->centre.y),
                                pixelsOf(circle->radius)});
            appendField(out, "stroke");
            appendJsonString(out, css(circle->colour));
            if (circle->fill == FillMode::Solid) {
                appendField(out, "fill");
                appendJsonString(out, css(circle->fillColour));
            }
        } else if (const auto* line = std::get_if<LineShape>(&primitive)) {
            const Segment s = line->segment;
            appendField(out, "line");
            appendNumbers(
                out, {pixelsOf(s.from.x), pixelsOf(s.from.y), pixelsOf(s.to.x), pixelsOf(s.to.y)});
            appendField(out, "stroke");
            appendJsonString(out, css(line->colour));
        }
        out += '}';
    }
    out += ']';
}

namespace {

// What an input that changes nothing on the form answers.
constexpr const char* kUnchanged = "{}";

}  // namespace

std::string WebView::answer(const EventResult& result) {
    std::string out = "{";
    appendField(out, "scene");
    out += scene();
    if (narrator_) {
        appendField(out, "narration");
        appendJsonString(out, narrator_->clicked());
    }
    if (result.status == EventStatus::Failed && result.error) {
        appendField(out, "error");
        appendJsonString(out, std::string("Run-time error: ") + result.error->what());
    }
    return out + "}";
}

std::string WebView::relayout() {
    for (auto& layout : captions_) layout.reset();
    return "{\"scene\":" + scene() + "}";
}

std::string WebView::press(double x, double y) {
    pressed_ = form_.hitTest({twipsOf(x), twipsOf(y)});
    return kUnchanged;
}

std::string WebView::release(double x, double y) {
    const auto pressed = std::exchange(pressed_, std::nullopt);
    const Point point{twipsOf(x), twipsOf(y)};
    if (!pressed || *pressed != form_.hitTest(point)) return kUnchanged;
    return answer(form_.clickAt(point));
}

std::string WebView::clickControl(int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= form_.controls().size()) return kUnchanged;
    return answer(form_.click(static_cast<ControlId>(id)));
}

std::string WebView::pressKey(KeyClick key) {
    return answer(form_.pressKey(key));
}

std::string WebView::pressDefaultButton() {
    const auto button = form_.defaultButton();
    return button ? answer(form_.click(*button)) : kUnchanged;
}

std::string WebView::type(int id, std::string text) {
    if (id < 0 || static_cast<std::size_t>(id) >= form_.controls().size()) return kUnchanged;
    // The text is in the page already, and typing runs no handler.
    shownText_[static_cast<std::size_t>(id)] = text;
    form_.typeInto(static_cast<ControlId>(id), std::move(text));
    if (narrator_) narrator_->typed();
    return kUnchanged;
}

}  // namespace wordrop::window::web
