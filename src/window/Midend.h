// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "window/ControlId.h"
#include "window/Geometry.h"
#include "window/KeyStroke.h"
#include "window/Scene.h"
#include "window/TextSplice.h"

namespace wordrop::window {

class ClickTracker;
class Form;
class Narrator;
class SceneBuilder;
struct EventResult;

// What an input, or the game, changed on the form, for a view to show.
struct Changes {
    std::vector<Rect> repaint;         // parts of the client area, in twips, to paint again
    std::vector<ControlId> widgets;    // text boxes and buttons to take from the scene again
    std::vector<ControlId> rewritten;  // text boxes whose text the game wrote: show the scene's
    bool focusMoved = false;           // the focus is elsewhere: see the scene's
    [[nodiscard]] bool any() const {
        return !repaint.empty() || !widgets.empty() || !rewritten.empty() || focusMoved;
    }
};

// The answer to one input.
struct Outcome {
    Changes changes;
    std::string narration;  // what a screen reader should say, if anything
    std::string error;      // the run-time error that ended a handler, as the player reads it
    bool used = false;      // the window's input: keep it from the toolkit's own handling
    bool close = false;     // the window is to close
};

enum class PointerMotion : std::uint8_t { Press, Release, Cancel };

// What the game says of a letter a player may pick: not picked yet, or picked and found in
// the word or not.
enum class LetterMark : std::uint8_t { Open, Right, Wrong };
enum class KeyMotion : std::uint8_t { Press, Release };

// Where a toolkit put the keyboard focus: on a control, on the window itself, or outside
// the form, on the page's own controls around it (a desktop window has no such place).
struct FocusPlace {
    enum class Kind : std::uint8_t { Control, Window, Outside };
    Kind kind = Kind::Window;
    ControlId control{};  // for Kind::Control

    static FocusPlace on(ControlId id) { return {Kind::Control, id}; }
    static FocusPlace window() { return {}; }
    static FocusPlace outside() { return {Kind::Outside}; }
};

// Between the form and every view: the one place that says what an input means. A view
// hands it the toolkit's pointer, keys, typing, focus and widget clicks, and shows the
// scene and the outcome it answers with; it decides nothing itself.
//
// The midend owns the focus, the text boxes' contents as the view shows them, which key
// presses are a held key's repeats, what a click on a widget is, and what a screen reader
// is told.
class Midend {
  public:
    // The summary is a short description of the board, for assistive technology.
    Midend(Form& form, const FontMeasure& measure, Narrator* narrator = nullptr,
           std::function<std::string()> summary = {});
    ~Midend();
    Midend(const Midend&) = delete;
    Midend& operator=(const Midend&) = delete;

    // The game's marks for the letters of a letter pad, 'a' to 'z'.
    void markLetters(std::function<LetterMark(char)> marks) { marks_ = std::move(marks); }
    [[nodiscard]] LetterMark letterMark(char letter) const;
    // A letter can be picked from a pad while the text box and the default button show.
    [[nodiscard]] bool canPickLetter() const;

    // What the window shows at a scale, focus and widget texts included; kept until the
    // form, the faces or the focus change.
    [[nodiscard]] const Scene& scene(double scale);
    // One text box or button alone, as it stands in the scene.
    [[nodiscard]] WidgetSlot widget(ControlId id, double scale) const;
    // The focused control; none where the window itself or something outside the form has
    // the focus.
    [[nodiscard]] std::optional<ControlId> focus() const { return focus_; }
    [[nodiscard]] FocusPlace focusPlace() const;
    // Whether the focus is to be marked, as a desktop marks it: keys moved it, and no pointer
    // has pressed since. A toolkit that marks it by itself may leave this alone.
    [[nodiscard]] bool focusMarked() const { return focusMarked_; }
    [[nodiscard]] std::string summary() const;
    [[nodiscard]] std::string_view title() const;
    // Tells the view about changes made between inputs (by a test, or a late handler).
    void onChanges(std::function<void()> wake) { wake_ = std::move(wake); }
    // What changed since the last input, or the last call.
    [[nodiscard]] Changes takeChanges();

    // Inputs. Positions are in device pixels at the scale given.
    [[nodiscard]] Outcome pointer(PointerMotion motion, PointF at, double scale = 1);
    [[nodiscard]] Outcome key(const KeyStroke& key, KeyMotion motion = KeyMotion::Press);
    // The player typed: the box holds this text now.
    [[nodiscard]] Outcome type(ControlId box, std::string text);
    // The player edited the box's text, as this splice of what it held tells.
    [[nodiscard]] Outcome edit(ControlId box, const TextSplice& splice);
    // What a text box holds, as the player typed it or the game wrote it; none for no control.
    [[nodiscard]] const std::string& text(ControlId box) const;
    // A letter picked from a pad: as that letter, in lower case, typed into the shown text
    // box in place of its text, and then the default button pressed.
    [[nodiscard]] Outcome pickLetter(char letter);
    // A tap of a touch screen on the form, where the browser or toolkit gave it to no widget:
    // a press and a release at one point. Where it came while the on-screen keyboard was up
    // for the text box, it only puts the keyboard away: the focus goes to the window.
    [[nodiscard]] Outcome tap(PointF at, double scale, bool keyboardUp);
    // A widget's own click, or a screen reader's press of a button or a banner.
    [[nodiscard]] Outcome activate(ControlId id);
    // What an action of the key table stands for, as assistive technology asks for it.
    [[nodiscard]] Outcome act(KeyAction action);
    // The toolkit moved the focus to a control (a click into a text box), to the window, or
    // out of the form. Out of it, the keys that move through the page and press its
    // controls are the toolkit's.
    [[nodiscard]] Outcome focusMoved(FocusPlace to);
    // The window lost the keyboard and the pointer: presses not yet released are forgotten.
    void deactivated();
    // The faces the view measures with changed: every caption is laid out again.
    [[nodiscard]] Outcome facesChanged();

    // For assistive technology: the keys of an action, and whether it can be done now.
    [[nodiscard]] std::vector<std::string> keyNames(KeyAction action) const;
    [[nodiscard]] bool available(KeyAction action) const;
    // Nothing more to do in the window but close it: no game to start, no banner to press,
    // no box to type into.
    [[nodiscard]] bool finished() const;

  private:
    class Observer;
    class InputScope;
    struct HeldKey {
        KeyName name;
        char letter;
        bool down;
        std::uint64_t releasedAt;
        KeyAction first;  // what its last press that was no repeat did
    };

    Outcome answer(const EventResult& result);
    Outcome finish(Outcome outcome);
    bool isRepeat(const KeyStroke& key);
    void released(const KeyStroke& key);
    HeldKey& heldKey(const KeyStroke& key);
    Focus focusKind() const;
    EventResult run(KeyAction action);
    EventResult clickLabel(ControlId label);
    Outcome typeFromWindow(const KeyStroke& key);
    Outcome moveFocus(bool forward);
    std::vector<ControlId> tabOrder() const;
    bool pressable(ControlId id) const;
    bool focusable(ControlId id) const;
    void settleFocus();
    void setFocus(std::optional<ControlId> to);
    void noteChange(ControlId id);
    void noteRepaint(Rect area);
    bool valid(ControlId id) const;

    Form& form_;
    Narrator* narrator_;
    std::function<std::string()> summary_;
    std::function<LetterMark(char)> marks_;
    std::unique_ptr<SceneBuilder> scenes_;
    std::unique_ptr<ClickTracker> clicks_;
    std::unique_ptr<Observer> observer_;
    std::optional<Scene> scene_;
    std::optional<ControlId> focus_;  // none: the window itself, or outside the form
    bool focusOutside_ = false;
    bool focusMarked_ = false;
    std::vector<std::string> shown_;  // what each text box shows in the view
    std::vector<HeldKey> keys_;
    bool nativePress_ = false;  // a widget took the last press itself
    bool inInput_ = false;
    bool typing_ = false;  // the view's text is going into the form
    Changes pending_;
    std::function<void()> wake_;
};

}  // namespace wordrop::window
