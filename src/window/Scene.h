// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "window/Control.h"
#include "window/ControlId.h"

namespace wordrop::window {

// Positions and sizes in device pixels: the form's twips at the view's scale.
struct PointF {
    double x = 0;
    double y = 0;
    friend bool operator==(PointF, PointF) = default;
};

struct RectF {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(RectF, RectF) = default;
};

// A face as a view loads it: the free stand-in of the face the layout names, at its size
// in device pixels.
struct Font {
    std::string_view family;
    double pixelSize = 0;
    FontWeight weight = FontWeight::Normal;
    bool fixedPitch = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Text as the view's own faces draw it, in the pixels of the font it is given.
class FontMeasure {
  public:
    virtual ~FontMeasure() = default;
    virtual double advance(const Font& font, std::string_view utf8) const = 0;
    virtual double ascent(const Font& font) const = 0;
    virtual double lineHeight(const Font& font) const = 0;
    // Where each character of a line starts, from the line's start: for a view whose
    // toolkit would otherwise place the glyphs by a measure of its own. Empty where the
    // toolkit draws text by this very measure.
    virtual std::vector<double> offsets(const Font&, std::string_view) const { return {}; }
};

// What there is to draw, each painted over what came before it.
struct FilledRect {
    RectF box;
    Rgb colour;
    double radius = 0;  // of the rounded corners; 0 for square ones
};

// A pen's stroke, centred on the middle of a pixel so that it fills whole pixels.
struct StrokedLine {
    PointF from;
    PointF to;
    double width = 1;
    Rgb colour;
};

struct StrokedCircle {
    PointF centre;
    double radius = 0;
    double width = 1;
    Rgb colour;
    std::optional<Rgb> fill;
};

// One line of a label's caption, drawn from its baseline and cut off at the label's edges.
struct TextRun {
    PointF baseline;
    std::string text;
    Font font;
    Rgb colour;
    RectF clip;
    std::vector<double> offsets;  // where the measure places each character, if it says
};

using Paint = std::variant<FilledRect, StrokedLine, StrokedCircle, TextRun>;

struct SceneItem {
    Paint paint;
    std::optional<ControlId> control;  // none for the form's own background and drawing
    bool seen = true;                  // whether a sighted player can see it
};

// A text box or a command button, which every toolkit has a widget of its own for. They
// stand over everything painted.
struct WidgetSlot {
    ControlId control{};
    ControlKind kind = ControlKind::TextBox;
    RectF box;
    Font font;
    Rgb back;
    Rgb fore;
    bool visible = false;
    std::string name;                      // what a screen reader calls it
    std::string caption;                   // a button's caption as shown
    std::optional<std::size_t> accessKey;  // the byte of the caption shown underlined
    std::string shortcut;                  // the key that presses it, such as "Alt+O"
    std::string text;                      // what a text box holds
};

enum class ReadRole : std::uint8_t {
    Text,       // a label's text
    Pressable,  // a label's text that answers a click (a banner)
    Widget,     // a text box or a button: the widget speaks for itself
};

struct Readable {
    ControlId control{};
    ReadRole role = ReadRole::Text;
    std::string text;
    RectF box;
};

// The form as a view shows it: what to paint, back to front; the widgets, in tab order;
// and what a screen reader reads, in reading order (the form's reading regions in turn, each
// top to bottom, then left to right).
struct Scene {
    double scale = 1;
    double width = 0;
    double height = 0;
    std::vector<SceneItem> items;
    std::vector<WidgetSlot> widgets;
    std::vector<Readable> reading;
    std::optional<ControlId> focus;  // the control with the keyboard focus; none: the window
};

// A caption with its access key marked by "&": the text shown, and where its underlined
// letter stands. "&&" shows one "&".
struct AccessKeyCaption {
    std::string shown;
    std::optional<std::size_t> key;
};
[[nodiscard]] AccessKeyCaption parseAccessKey(std::string_view caption);

// The form's twips in pixels at a scale, and a position in such pixels back in twips.
[[nodiscard]] RectF toPixels(Rect area, double scale = 1);
[[nodiscard]] Point toTwips(PointF at, double scale = 1);

// The stand-in face for a control's font, at a scale.
[[nodiscard]] Font fontFor(const FontDesign& design, double scale = 1);

}  // namespace wordrop::window
