// SPDX-License-Identifier: MIT
#include "window/Midend.h"

#include <algorithm>
#include <utility>

#include "window/Clicks.h"
#include "window/Form.h"
#include "window/Keys.h"
#include "window/Narrator.h"
#include "window/SceneBuilder.h"

namespace wordrop::window {

// Hears every change the game makes to the form, during an input or between inputs.
class Midend::Observer final : public FormObserver {
  public:
    explicit Observer(Midend& midend) : midend_(midend) {}
    void repaintNeeded(Rect area) override { midend_.noteRepaint(area); }
    void controlChanged(ControlId id) override { midend_.noteChange(id); }

  private:
    Midend& midend_;
};

// While an input runs, changes gather for its outcome; between inputs the view is woken.
class Midend::InputScope {
  public:
    explicit InputScope(Midend& midend) : midend_(midend), outer_(midend.inInput_) {
        midend_.inInput_ = true;
    }
    ~InputScope() { midend_.inInput_ = outer_; }
    InputScope(const InputScope&) = delete;
    InputScope& operator=(const InputScope&) = delete;

  private:
    Midend& midend_;
    bool outer_;
};

namespace {

template <typename T>
void addOnce(std::vector<T>& list, T value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

std::size_t slotOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

}  // namespace

Midend::Midend(Form& form, const FontMeasure& measure, Narrator* narrator,
               std::function<std::string()> summary)
    : form_(form),
      narrator_(narrator),
      summary_(std::move(summary)),
      scenes_(std::make_unique<SceneBuilder>(form, measure)),
      clicks_(std::make_unique<ClickTracker>(form)),
      observer_(std::make_unique<Observer>(*this)),
      shown_(form.controls().size()) {
    const auto controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) shown_[i] = controls[i].text;
    form_.setObserver(observer_.get());
}

Midend::~Midend() {
    form_.setObserver(nullptr);
}

const Scene& Midend::scene(double scale) {
    if (!scene_ || scene_->scale != scale) scene_ = scenes_->build(scale);
    scene_->focus = focus_;
    return *scene_;
}

WidgetSlot Midend::widget(ControlId id, double scale) const {
    return scenes_->widget(id, scale);
}

std::string Midend::summary() const {
    return summary_ ? summary_() : std::string();
}

std::string_view Midend::title() const {
    return form_.caption();
}

Changes Midend::takeChanges() {
    settleFocus();
    return std::exchange(pending_, Changes{});
}

// ---- Pointer ----

// A press on a text box or a button that the hit test gives it is the widget's own, and
// so is its release, wherever it is let go; any other press is the form's.
Outcome Midend::pointer(PointerMotion motion, PointF at, double scale) {
    InputScope scope(*this);
    // A press of the pointer shows the player where they are.
    if (motion == PointerMotion::Press) focusMarked_ = false;
    switch (motion) {
        case PointerMotion::Press: {
            const Hit hit = form_.hitTest(toTwips(at, scale));
            nativePress_ = hit.kind == HitKind::Control && form_.state(hit.control).isWidget();
            clicks_->press(at, scale);
            return finish({.used = !nativePress_});
        }
        case PointerMotion::Release:
            if (std::exchange(nativePress_, false)) {
                clicks_->forget();
                return finish({});
            }
            if (const auto point = clicks_->release(at, scale))
                return finish(answer(form_.clickAt(*point)));
            return finish({.used = true});
        case PointerMotion::Cancel:
            clicks_->forget();
            nativePress_ = false;
            break;
    }
    return finish({});
}

Outcome Midend::tap(PointF at, double scale, bool keyboardUp) {
    InputScope scope(*this);
    focusMarked_ = false;
    if (keyboardUp && shownTextBox(form_)) {
        setFocus(std::nullopt);
        return finish({.used = true});
    }
    const Hit hit = form_.hitTest(toTwips(at, scale));
    // A widget's own place: its toolkit has it, not the form.
    if (hit.kind == HitKind::Control && form_.state(hit.control).isWidget()) return finish({});
    clicks_->press(at, scale);
    if (const auto point = clicks_->release(at, scale))
        return finish(answer(form_.clickAt(*point)));
    return finish({.used = true});
}

// ---- A letter pad ----

LetterMark Midend::letterMark(char letter) const {
    return marks_ ? marks_(letter) : LetterMark::Open;
}

bool Midend::canPickLetter() const {
    const auto box = shownTextBox(form_);
    const auto button = form_.defaultButton();
    return box && button && form_.state(*button).visible;
}

Outcome Midend::pickLetter(char letter) {
    InputScope scope(*this);
    if (letter < 'a' || letter > 'z' || !canPickLetter()) return finish({});
    form_.typeInto(*shownTextBox(form_), std::string(1, letter));
    if (narrator_) narrator_->typed();
    return finish(answer(form_.click(*form_.defaultButton())));
}

// ---- Keys ----

Outcome Midend::key(const KeyStroke& stroke, KeyMotion motion) {
    InputScope scope(*this);
    if (motion == KeyMotion::Release) {
        released(stroke);
        return finish({});
    }
    KeyStroke key = stroke;
    key.repeat = isRepeat(stroke);
    // A held key does what its first press did, and no more, even where a modifier was let
    // go meanwhile: Alt+O held, Alt let go first, repeats an O that types nothing. Typing
    // and Tab go on repeating.
    if (key.repeat && key.name != KeyName::Other) {
        const KeyAction first = heldKey(key).first;
        if (first == KeyAction::Pass) return finish({});
        if (first != KeyAction::FocusNext && first != KeyAction::FocusPrevious)
            return finish({.used = true});
    }
    const KeyAction action = actionFor(form_, key, focusKind());
    if (!key.repeat && key.name != KeyName::Other) heldKey(key).first = action;
    switch (action) {
        case KeyAction::Pass:
            return finish({});
        case KeyAction::Ignore:
            return finish({.used = true});
        case KeyAction::Close:
            return finish({.used = true, .close = true});
        case KeyAction::TypeIntoBox:
            return finish(typeFromWindow(key));
        case KeyAction::FocusNext:
        case KeyAction::FocusPrevious:
            return finish(moveFocus(action == KeyAction::FocusNext));
        case KeyAction::PressAccessKey:
            return finish(answer(form_.click(*accessKeyButton(form_, key.letter))));
        default:
            return finish(answer(run(action)));
    }
}

// A press is a held key's repeat where the toolkit says so, where it carries the time of
// the same key's release just before it (X sends a repeat as a release and a press at one
// time), or where it comes while the key is down and no release was seen.
bool Midend::isRepeat(const KeyStroke& key) {
    if (key.name == KeyName::Other) return key.repeat;
    HeldKey& held = heldKey(key);
    const bool repeat = key.repeat || held.down || (key.time != 0 && key.time == held.releasedAt);
    held.down = true;
    return repeat;
}

void Midend::released(const KeyStroke& key) {
    if (key.name == KeyName::Other) return;
    HeldKey& held = heldKey(key);
    held.releasedAt = key.time;
    // A release the toolkit marks as a repeat's comes while the key is still held.
    if (!key.repeat) held.down = false;
}

Midend::HeldKey& Midend::heldKey(const KeyStroke& key) {
    const auto it = std::find_if(keys_.begin(), keys_.end(), [&key](const HeldKey& held) {
        return held.name == key.name && held.letter == key.letter;
    });
    if (it != keys_.end()) return *it;
    return keys_.emplace_back(HeldKey{key.name, key.letter, false, 0, KeyAction::Pass});
}

void Midend::deactivated() {
    keys_.clear();
    clicks_->forget();
    nativePress_ = false;
}

Focus Midend::focusKind() const {
    if (focusOutside_) return Focus::Outside;
    if (!focus_) return Focus::Window;
    switch (form_.state(*focus_).kind()) {
        case ControlKind::TextBox:
            return Focus::TextBox;
        case ControlKind::CommandButton:
            return Focus::Button;
        default:
            return Focus::Label;
    }
}

// The click an action stands for, where the focus or the screen shown allows it.
EventResult Midend::run(KeyAction action) {
    switch (action) {
        case KeyAction::NewGame:
            return form_.clickFor(KeyClick::Background);
        case KeyAction::PressBanner:
            if (focus_) return clickLabel(*focus_);
            return form_.clickFor(KeyClick::Label);
        case KeyAction::PressDefault:
            if (const auto button = form_.defaultButton()) return form_.click(*button);
            break;
        case KeyAction::PressFocused:
            if (focus_) return form_.click(*focus_);
            break;
        default:
            break;
    }
    return {};
}

EventResult Midend::clickLabel(ControlId label) {
    if (const auto at = form_.reachablePoint({HitKind::Control, label})) return form_.clickAt(*at);
    return {};
}

// As a click into the text box and the letter typed there would.
Outcome Midend::typeFromWindow(const KeyStroke& key) {
    const ControlId box = *shownTextBox(form_);
    setFocus(box);
    std::string typed = key.text;
    if (typed.empty()) {
        const bool shifted = (std::uint8_t(key.modifiers) & std::uint8_t(Modifiers::Shift)) != 0;
        typed = shifted ? key.letter : char(key.letter - 'A' + 'a');
    }
    form_.typeInto(box, form_.state(box).text + typed);
    if (narrator_) narrator_->typed();
    return {.used = true};
}

// ---- Text and clicks of the toolkit's own widgets ----

Outcome Midend::type(ControlId box, std::string text) {
    InputScope scope(*this);
    if (!valid(box) || form_.state(box).kind() != ControlKind::TextBox) return finish({});
    // A toolkit tells of the game's own writes too: they are no typing.
    if (text == shown_[slotOf(box)]) return finish({});
    // The text is in the view already: only what the game writes goes back.
    shown_[slotOf(box)] = text;
    typing_ = true;
    form_.typeInto(box, std::move(text));
    typing_ = false;
    if (narrator_) narrator_->typed();
    return finish({});
}

Outcome Midend::edit(ControlId box, const TextSplice& splice) {
    InputScope scope(*this);
    if (!valid(box) || form_.state(box).kind() != ControlKind::TextBox) return finish({});
    std::string& shown = shown_[slotOf(box)];
    if (!fits(splice, shown)) return finish({});
    shown.replace(splice.from, splice.removed, splice.inserted);
    typing_ = true;
    form_.editInto(box, splice);
    typing_ = false;
    if (narrator_) narrator_->typed();
    return finish({});
}

const std::string& Midend::text(ControlId box) const {
    static const std::string none;
    return valid(box) ? form_.state(box).text : none;
}

Outcome Midend::activate(ControlId id) {
    InputScope scope(*this);
    if (!valid(id)) return finish({});
    if (form_.state(id).kind() == ControlKind::Label) return finish(answer(clickLabel(id)));
    return finish(answer(form_.click(id)));
}

Outcome Midend::act(KeyAction action) {
    InputScope scope(*this);
    if (action == KeyAction::Close) return finish({.used = true, .close = true});
    if (action == KeyAction::PressBanner) return finish(answer(form_.clickFor(KeyClick::Label)));
    return finish(answer(run(action)));
}

Outcome Midend::facesChanged() {
    InputScope scope(*this);
    scenes_->forgetAll();
    noteRepaint(form_.clientArea());
    return finish({});
}

// ---- Focus ----

Outcome Midend::focusMoved(FocusPlace to) {
    InputScope scope(*this);
    switch (to.kind) {
        case FocusPlace::Kind::Control:
            if (!valid(to.control) || !focusable(to.control)) break;
            focus_ = to.control;
            focusOutside_ = false;
            break;
        case FocusPlace::Kind::Window:
        case FocusPlace::Kind::Outside:
            focus_.reset();
            focusOutside_ = to.kind == FocusPlace::Kind::Outside;
            break;
    }
    return finish({});
}

FocusPlace Midend::focusPlace() const {
    if (focus_) return FocusPlace::on(*focus_);
    return focusOutside_ ? FocusPlace::outside() : FocusPlace::window();
}

// Tab visits the shown widgets in their tab order, then a banner that answers clicks. Past
// either end the toolkit has the key, to move on as it does.
Outcome Midend::moveFocus(bool forward) {
    const std::vector<ControlId> order = tabOrder();
    if (order.empty()) return {};
    const auto at = focus_ ? std::find(order.begin(), order.end(), *focus_) : order.end();
    std::optional<ControlId> next;
    if (at == order.end()) {
        next = forward ? order.front() : order.back();
    } else if (forward && at + 1 != order.end()) {
        next = *(at + 1);
    } else if (!forward && at != order.begin()) {
        next = *(at - 1);
    }
    if (!next) return {};
    focusMarked_ = true;
    setFocus(next);
    return {.used = true};
}

std::vector<ControlId> Midend::tabOrder() const {
    std::vector<ControlId> widgets;
    std::vector<ControlId> banners;
    const auto controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto id = ControlId(i);
        if (controls[i].isWidget() && controls[i].visible) widgets.push_back(id);
        if (pressable(id)) banners.push_back(id);
    }
    std::stable_sort(widgets.begin(), widgets.end(), [this](ControlId a, ControlId b) {
        return form_.state(a).design->tabIndex < form_.state(b).design->tabIndex;
    });
    widgets.insert(widgets.end(), banners.begin(), banners.end());
    return widgets;
}

bool Midend::pressable(ControlId id) const {
    return form_.state(id).kind() == ControlKind::Label && form_.answersClicks(id) &&
           form_.reachablePoint({HitKind::Control, id}).has_value();
}

bool Midend::focusable(ControlId id) const {
    const Control& c = form_.state(id);
    return c.isWidget() ? c.visible : pressable(id);
}

// Where the focused control went away, the focus goes to the banner that now answers
// clicks, if there is one, else to the window: never to nothing.
void Midend::settleFocus() {
    if (!focus_ || focusable(*focus_)) return;
    std::optional<ControlId> banner;
    const auto controls = form_.controls();
    for (std::size_t i = 0; i < controls.size() && !banner; ++i) {
        if (pressable(ControlId(i))) banner = ControlId(i);
    }
    setFocus(banner);
}

// The game's own move of the focus, always into the form: the view is to follow it.
void Midend::setFocus(std::optional<ControlId> to) {
    if (to == focus_ && !focusOutside_) return;
    focus_ = to;
    focusOutside_ = false;
    pending_.focusMoved = true;
}

// ---- Answers ----

Outcome Midend::answer(const EventResult& result) {
    Outcome outcome{.used = true};
    if (narrator_) outcome.narration = narrator_->clicked();
    if (result.status == EventStatus::Failed && result.error)
        outcome.error = std::string("Run-time error: ") + result.error->what();
    return outcome;
}

Outcome Midend::finish(Outcome outcome) {
    outcome.changes = takeChanges();
    return outcome;
}

void Midend::noteChange(ControlId id) {
    scene_.reset();
    scenes_->forget(id);
    const Control& c = form_.state(id);
    // The player's own typing is in the view already: nothing of the widget to show again.
    if (c.isWidget() && !typing_) addOnce(pending_.widgets, id);
    if (c.kind() == ControlKind::TextBox && c.text != shown_[slotOf(id)]) {
        shown_[slotOf(id)] = c.text;
        addOnce(pending_.rewritten, id);
    }
    if (!inInput_ && wake_) wake_();
}

void Midend::noteRepaint(Rect area) {
    scene_.reset();
    pending_.repaint.push_back(area);
    if (!inInput_ && wake_) wake_();
}

bool Midend::valid(ControlId id) const {
    return slotOf(id) < form_.controls().size();
}

std::vector<std::string> Midend::keyNames(KeyAction action) const {
    return window::keyNames(form_, action);
}

bool Midend::available(KeyAction action) const {
    return window::available(form_, action);
}

bool Midend::finished() const {
    return !available(KeyAction::NewGame) && !available(KeyAction::PressBanner) &&
           !available(KeyAction::TypeIntoBox);
}

}  // namespace wordrop::window
