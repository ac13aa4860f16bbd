// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/Control.h"
#include "window/ControlId.h"
#include "window/DrawingSurface.h"
#include "window/FaultInjector.h"
#include "window/RuntimeError.h"
#include "window/TextSplice.h"

namespace wordrop::window {

struct FormDesign {
    std::string_view caption;
    Size client;  // the client area, in twips
    Colour back = Colour::system(SystemColour::ButtonFace);
};

// Told about every change that shows, so a view can repaint just that.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    // Part of the client area (twips) that must be painted again.
    virtual void repaintNeeded(Rect area) = 0;
    // Some property of the control changed.
    virtual void controlChanged(ControlId id) = 0;
};

enum class HitKind : std::uint8_t { Outside, Background, Control };

struct Hit {
    HitKind kind = HitKind::Outside;
    ControlId control{};
    friend bool operator==(const Hit&, const Hit&) = default;
};

enum class EventStatus : std::uint8_t {
    Handled,  // a handler ran to its end
    Ignored,  // nothing handles the event (a label without a handler, a hidden button, ...)
    Failed,   // a handler stopped on a run-time error
};

struct EventResult {
    EventStatus status = EventStatus::Ignored;
    std::optional<RuntimeError> error;
};

// A key that stands in for a click the player could make on the screen shown, and for
// nothing more: where no such click can be made, the key does nothing.
enum class KeyClick : std::uint8_t {
    Background,  // a click on a place where the window's background shows
    Label,       // a click on the frontmost label that answers clicks
};

// A part of the form that a screen reader reads together. The parts are read in the order
// the form lists them, each control of a part top to bottom, then left to right.
enum class ReadingKind : std::uint8_t {
    Each,       // each control on its own
    Positions,  // each control on its own, with its place in the part: "G, position 4"
    List,       // the controls as one list, after the part's name: "Wrong guesses: x, q"
};

struct ReadingRegion {
    ReadingKind kind = ReadingKind::Each;
    std::vector<ControlId> controls;
    std::string name;  // a list's
};

class ControlRef;
class ControlArray;

// The form runtime: one window, its controls in front-to-back order, its drawing
// surface, and the click events it hands to handlers.
//
// Members named after a property or method of the runtime (BackColor, Cls, Circle, ...)
// are the operations game code performs: each is counted, may be made to fail through
// faults(), and raises RuntimeError when it does. Lower-case members read state for the
// view and for tests and never fail.
class Form {
  public:
    using Handler = std::function<void()>;

    Form(const FormDesign& design, std::span<const ControlDesign> layout);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Controls by name, and control arrays by name; an unknown name is a RuntimeError.
    ControlRef control(std::string_view name);
    ControlArray array(std::string_view name);

    // Operations on the form itself.
    void BackColor(Colour colour);  // also erases the drawing, as Cls does
    void FillStyle(FillMode style);
    void Cls();
    void Circle(Point centre, int radius, Colour colour);
    void Line(Point from, Point to, Colour colour);

    // Operations on a control (reached through ControlRef).
    void setVisible(ControlId id, bool visible);
    void setCaption(ControlId id, std::string caption);
    std::string readText(ControlId id);
    void writeText(ControlId id, std::string text);
    void setForeColor(ControlId id, Colour colour);
    void setBackColor(ControlId id, Colour colour);

    // What the toolkit does by itself: the player typing into a text box.
    void typeInto(ControlId id, std::string text);
    // The player edited a text box: a splice that fits its text.
    void editInto(ControlId id, const TextSplice& splice);

    // Events.
    void onBackgroundClick(Handler handler) { backgroundHandler_ = std::move(handler); }
    void onClick(ControlId id, Handler handler);
    Hit hitTest(Point p) const;
    // A click at a point of the client area, routed by hitTest.
    [[nodiscard]] EventResult clickAt(Point p);
    // A click on a control by other means (a key press): only a visible control takes it.
    [[nodiscard]] EventResult click(ControlId id);
    // The click a key stands for, made where a mouse could make it.
    [[nodiscard]] EventResult clickFor(KeyClick key);
    // A point of the client area whose click the hit test gives to the target, if any.
    std::optional<Point> reachablePoint(Hit target) const;
    bool answersClicks(ControlId id) const { return static_cast<bool>(handlers_[index(id)]); }

    // State.
    std::string_view caption() const { return design_.caption; }
    Size clientSize() const { return design_.client; }
    Rect clientArea() const { return {0, 0, design_.client.width, design_.client.height}; }
    Colour backColour() const { return back_; }
    FillMode fillStyle() const { return fill_; }
    const DrawingSurface& drawing() const { return drawing_; }
    std::span<const Control> controls() const { return controls_; }
    const Control& state(ControlId id) const { return controls_[index(id)]; }
    std::optional<ControlId> find(std::string_view name, int index = -1) const;
    // The button that Enter in a text box presses: the form's first command button.
    std::optional<ControlId> defaultButton() const;
    // The label that names a text box: the one just before it in the tab order.
    std::optional<ControlId> labelFor(ControlId textBox) const;
    // Whether shown controls in front hide all of the control's part of the client area.
    bool covered(ControlId id) const;
    // Whether shown controls hide all of an area behind every control, such as the drawing.
    bool covered(Rect area) const;

    // The parts a screen reader reads in turn; controls in none come after them.
    // The regions come from the game each time the form is read, as its state divides them.
    using Regions = std::function<std::vector<ReadingRegion>()>;
    void setReadingRegions(Regions regions) { regions_ = std::move(regions); }
    [[nodiscard]] std::vector<ReadingRegion> readingRegions() const {
        return regions_ ? regions_() : std::vector<ReadingRegion>{};
    }

    FaultInjector& faults() { return faults_; }
    void setObserver(FormObserver* observer) { observer_ = observer; }

  private:
    static std::size_t index(ControlId id) { return static_cast<std::size_t>(id); }
    Control& mutableState(ControlId id) { return controls_[index(id)]; }
    void attempt(OperationKind kind, std::optional<ControlId> target);
    void require(ControlId id, OperationKind kind, bool allowed);
    void erase();
    void draw(Primitive primitive);
    void repaint(Rect area);
    void repaintControl(ControlId id);
    void changed(ControlId id);
    EventResult run(const Handler& handler);
    bool coveredBy(Rect area, std::size_t controlsInFront) const;

    FormDesign design_;
    std::vector<Control> controls_;
    std::unordered_map<std::string, std::vector<ControlId>> byName_;  // members by Index
    std::vector<Handler> handlers_;
    Handler backgroundHandler_;
    Colour back_;
    FillMode fill_ = FillMode::Transparent;
    DrawingSurface drawing_;
    FaultInjector faults_;
    FormObserver* observer_ = nullptr;
    Regions regions_;
};

// A control as game code holds it, with the operations of its kind.
class ControlRef {
  public:
    ControlRef(Form& form, ControlId id) : form_(&form), id_(id) {}

    void Visible(bool visible) const { form_->setVisible(id_, visible); }
    void Caption(std::string caption) const { form_->setCaption(id_, std::move(caption)); }
    [[nodiscard]] std::string Text() const { return form_->readText(id_); }
    void Text(std::string text) const { form_->writeText(id_, std::move(text)); }
    void ForeColor(Colour colour) const { form_->setForeColor(id_, colour); }
    void BackColor(Colour colour) const { form_->setBackColor(id_, colour); }

    ControlId id() const { return id_; }
    const Control& state() const { return form_->state(id_); }

  private:
    Form* form_;
    ControlId id_;
};

// A control array: lblWrong(3) reaches the member with Index 3, and an Index the array
// does not have raises the index error.
class ControlArray {
  public:
    ControlArray(Form& form, std::string_view name, std::vector<ControlId> members)
        : form_(&form), name_(name), members_(std::move(members)) {}

    ControlRef operator()(int index) const;
    std::size_t size() const { return members_.size(); }

  private:
    Form* form_;
    std::string name_;
    std::vector<ControlId> members_;
};

}  // namespace wordrop::window
