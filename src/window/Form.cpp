// SPDX-License-Identifier: MIT
#include "window/Form.h"

#include <algorithm>
#include <cstdlib>

namespace wordrop::window {

namespace {

bool hasCaption(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::CommandButton;
}

bool hasColours(ControlKind kind) {
    return kind == ControlKind::Label;
}

std::string padded(const ControlDesign& design) {
    std::string caption(static_cast<std::size_t>(design.captionPadding), ' ');
    caption += design.caption;
    return caption;
}

}  // namespace

Form::Form(const FormDesign& design, std::span<const ControlDesign> layout)
    : design_(design), handlers_(layout.size()), back_(design.back) {
    controls_.reserve(layout.size());
    for (const ControlDesign& row : layout) {
        const auto id = static_cast<ControlId>(controls_.size());
        controls_.push_back({&row, row.visible, hasCaption(row.kind) ? padded(row) : std::string(),
                             std::string(), row.back, row.fore});
        auto& members = byName_[std::string(row.name)];
        const auto slot = static_cast<std::size_t>(std::max(row.index, 0));
        if (members.size() <= slot) members.resize(slot + 1, id);
        members[slot] = id;
    }
}

std::optional<ControlId> Form::find(std::string_view name, int index) const {
    const auto it = byName_.find(std::string(name));
    if (it == byName_.end()) return std::nullopt;
    const auto& members = it->second;
    const bool isArray = controls_[this->index(members.front())].index() >= 0;
    if (isArray != (index >= 0)) return std::nullopt;
    const auto slot = static_cast<std::size_t>(std::max(index, 0));
    if (slot >= members.size()) return std::nullopt;
    return members[slot];
}

ControlRef Form::control(std::string_view name) {
    const auto id = find(name);
    if (!id)
        throw RuntimeError(ErrorKind::OperationFailed, "no control named " + std::string(name));
    return {*this, *id};
}

ControlArray Form::array(std::string_view name) {
    const auto it = byName_.find(std::string(name));
    if (it == byName_.end() || state(it->second.front()).index() < 0) {
        throw RuntimeError(ErrorKind::OperationFailed,
                           "no control array named " + std::string(name));
    }
    return {*this, name, it->second};
}

ControlRef ControlArray::operator()(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= members_.size()) {
        throw RuntimeError(ErrorKind::IndexOutOfRange,
                           name_ + "(" + std::to_string(index) + ") is not a member of " + name_);
    }
    return {*form_, members_[static_cast<std::size_t>(index)]};
}

// Every operation passes through here first, so that a test can make any one of them fail.
void Form::attempt(OperationKind kind, std::optional<ControlId> target) {
    OperationRecord record{kind, std::nullopt};
    if (target) record.control = static_cast<std::uint16_t>(*target);
    if (faults_.shouldFail(record)) {
        const std::string where = target ? displayName(state(*target)) : std::string("the form");
        throw RuntimeError(ErrorKind::OperationFailed,
                           std::string(operationName(kind)) + " on " + where + " did not succeed");
    }
}

void Form::require(ControlId id, OperationKind kind, bool allowed) {
    attempt(kind, id);
    if (!allowed) {
        const Control& c = state(id);
        throw RuntimeError(ErrorKind::OperationFailed,
                           std::string(operationName(kind)) + " is not a property of " +
                               kindName(c.kind()) + " " + displayName(c));
    }
}

void Form::BackColor(Colour colour) {
    attempt(OperationKind::BackColor, std::nullopt);
    back_ = colour;
    drawing_ = {};
    repaint(clientArea());
}

void Form::FillStyle(FillMode style) {
    attempt(OperationKind::FillStyle, std::nullopt);
    fill_ = style;
}

void Form::Cls() {
    attempt(OperationKind::Cls, std::nullopt);
    erase();
}

void Form::Circle(Point centre, int radius, Colour colour) {
    attempt(OperationKind::Circle, std::nullopt);
    draw(CircleShape{centre, radius, colour, fill_, Black});
}

void Form::Line(Point from, Point to, Colour colour) {
    attempt(OperationKind::Line, std::nullopt);
    draw(LineShape{{from, to}, colour});
}

void Form::erase() {
    const Rect dirty = drawing_.bounds;
    drawing_ = {};
    repaint(dirty);
}

void Form::draw(Primitive primitive) {
    const Rect area = boundsOf(primitive);
    drawing_.primitives.push_back(std::move(primitive));
    drawing_.bounds = drawing_.bounds.united(area);
    repaint(area);
}

void Form::setVisible(ControlId id, bool visible) {
    attempt(OperationKind::Visible, id);
    Control& c = mutableState(id);
    if (c.visible == visible) return;
    c.visible = visible;
    repaint(c.bounds());
    changed(id);
}

void Form::setCaption(ControlId id, std::string caption) {
    require(id, OperationKind::Caption, hasCaption(state(id).kind()));
    Control& c = mutableState(id);
    if (c.caption == caption) return;
    c.caption = std::move(caption);
    repaintControl(id);
    changed(id);
}

std::string Form::readText(ControlId id) {
    require(id, OperationKind::TextRead, state(id).kind() == ControlKind::TextBox);
    return state(id).text;
}

void Form::writeText(ControlId id, std::string text) {
    require(id, OperationKind::TextWrite, state(id).kind() == ControlKind::TextBox);
    typeInto(id, std::move(text));
}

void Form::typeInto(ControlId id, std::string text) {
    Control& c = mutableState(id);
    if (c.kind() != ControlKind::TextBox || c.text == text) return;
    c.text = std::move(text);
    changed(id);
}

void Form::editInto(ControlId id, const TextSplice& splice) {
    Control& c = mutableState(id);
    if (c.kind() != ControlKind::TextBox || !fits(splice, c.text)) return;
    if (splice.removed == 0 && splice.inserted.empty()) return;
    c.text.replace(splice.from, splice.removed, splice.inserted);
    changed(id);
}

void Form::setForeColor(ControlId id, Colour colour) {
    require(id, OperationKind::ForeColor, hasColours(state(id).kind()));
    Control& c = mutableState(id);
    if (c.fore == colour) return;
    c.fore = colour;
    repaintControl(id);
    changed(id);
}

void Form::setBackColor(ControlId id, Colour colour) {
    require(id, OperationKind::BackColor, hasColours(state(id).kind()));
    Control& c = mutableState(id);
    if (c.back == colour) return;
    c.back = colour;
    repaintControl(id);
    changed(id);
}

void Form::repaint(Rect area) {
    const Rect visible = area.intersected(clientArea());
    if (observer_ && !visible.empty()) observer_->repaintNeeded(visible);
}

void Form::repaintControl(ControlId id) {
    if (state(id).visible) repaint(state(id).bounds());
}

void Form::changed(ControlId id) {
    if (observer_) observer_->controlChanged(id);
}

void Form::onClick(ControlId id, Handler handler) {
    handlers_[index(id)] = std::move(handler);
}

Hit Form::hitTest(Point p) const {
    if (!clientArea().contains(p)) return {};
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& c = controls_[i];
        if (c.visible && c.takesClicks() && c.bounds().contains(p)) {
            return {HitKind::Control, static_cast<ControlId>(i)};
        }
    }
    return {HitKind::Background, {}};
}

EventResult Form::clickAt(Point p) {
    const Hit hit = hitTest(p);
    switch (hit.kind) {
        case HitKind::Outside:
            return {};
        case HitKind::Background:
            return run(backgroundHandler_);
        case HitKind::Control:
            return run(handlers_[index(hit.control)]);
    }
    return {};
}

EventResult Form::click(ControlId id) {
    if (!state(id).visible) return {};
    return run(handlers_[index(id)]);
}

// Every region the click targets share has a corner at the client area's left or top
// edge or at some control's edge, so those corners are the only places worth trying.
std::optional<Point> Form::reachablePoint(Hit target) const {
    std::vector<int> xs{0};
    std::vector<int> ys{0};
    for (const Control& c : controls_) {
        if (!c.visible || !c.takesClicks()) continue;
        xs.insert(xs.end(), {c.bounds().left, c.bounds().right()});
        ys.insert(ys.end(), {c.bounds().top, c.bounds().bottom()});
    }
    for (const int y : ys) {
        for (const int x : xs) {
            if (hitTest({x, y}) == target) return Point{x, y};
        }
    }
    return std::nullopt;
}

EventResult Form::clickFor(KeyClick key) {
    if (key == KeyClick::Background) {
        const auto at = reachablePoint({HitKind::Background, {}});
        return at ? clickAt(*at) : EventResult{};
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const auto id = static_cast<ControlId>(i);
        if (controls_[i].kind() != ControlKind::Label || !answersClicks(id)) continue;
        if (const auto at = reachablePoint({HitKind::Control, id})) return clickAt(*at);
    }
    return {};
}

std::optional<ControlId> Form::defaultButton() const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].kind() == ControlKind::CommandButton) return static_cast<ControlId>(i);
    }
    return std::nullopt;
}

std::optional<ControlId> Form::labelFor(ControlId textBox) const {
    const int tab = state(textBox).design->tabIndex;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Control& c = controls_[i];
        if (c.kind() == ControlKind::Label && tab > 0 && c.design->tabIndex == tab - 1)
            return static_cast<ControlId>(i);
    }
    return std::nullopt;
}

bool Form::covered(ControlId id) const {
    return coveredBy(state(id).bounds(), index(id));
}

bool Form::covered(Rect area) const {
    return coveredBy(area, controls_.size());
}

// Every kind but a line paints its whole box. Nothing outside the client area shows.
bool Form::coveredBy(Rect area, std::size_t controlsInFront) const {
    const Rect mine = area.intersected(clientArea());
    if (mine.empty()) return true;
    for (std::size_t front = 0; front < controlsInFront; ++front) {
        const Control& c = controls_[front];
        if (c.visible && c.kind() != ControlKind::Line && c.bounds().intersected(mine) == mine)
            return true;
    }
    return false;
}

EventResult Form::run(const Handler& handler) {
    if (!handler) return {};
    try {
        handler();
    } catch (const RuntimeError& error) {
        return {EventStatus::Failed, error};
    }
    return {EventStatus::Handled, std::nullopt};
}

}  // namespace wordrop::window
