// SPDX-License-Identifier: MIT
#include "window/qt/FormView.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <limits>
#include <utility>

#include "window/qt/Fonts.h"
#include "window/qt/FormAccessible.h"
#include "window/qt/GraphicalButton.h"
#include "window/qt/Painting.h"
#include "window/qt/Pixels.h"
#include "window/qt/QtText.h"
#include "window/qt/WindowFrame.h"

namespace wordrop::window::qt {

using window::ControlId;
using window::ControlKind;

namespace {

// Widgets are kept by their control's place in the form.
std::uint16_t slotOf(ControlId id) {
    return static_cast<std::uint16_t>(id);
}

bool isWidgetKind(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
}

}  // namespace

FormView::FormView(window::Form& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      form_(form),
      reporter_(messageBoxReporter(this)) {
    setWindowTitle(toQString(form.caption()));
    frame_ = new WindowFrame(*this, toPixels(form.clientSize()).toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    fonts_.resize(form.controls().size());
    lines_.resize(form.controls().size());
    createShownWidgets();
    addShortcuts();
    form_.setObserver(this);
    FormAccessible::installFactory();
}

FormView::~FormView() {
    form_.setObserver(nullptr);
}

void FormView::showCentred() {
    frame_->showCentred();
}

QWidget* FormView::widgetFor(ControlId id) const {
    const auto it = widgets_.find(slotOf(id));
    return it == widgets_.end() ? nullptr : it->second;
}

// Text boxes and buttons become real widgets when they first show, or right after the
// first frame, whichever comes first: building a line edit loads the font database, which
// the first frame of a start screen without text does not need, and the first click
// should not wait for.
void FormView::createShownWidgets() {
    const auto controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (isWidgetKind(controls[i].kind())) syncWidget(static_cast<ControlId>(i));
    }
}

void FormView::createHiddenWidgets() {
    const auto controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto id = static_cast<ControlId>(i);
        if (isWidgetKind(controls[i].kind()) && !widgetFor(id)) {
            createWidget(id);
            syncWidget(id);
        }
    }
}

QWidget* FormView::createWidget(ControlId id) {
    const window::Control& control = form_.state(id);
    QWidget* widget = control.kind() == ControlKind::TextBox
                          ? static_cast<QWidget*>(createTextBox(id, control))
                          : createButton(id, control);
    widget->setGeometry(toPixels(control.bounds()).toRect());
    widget->setFont(qtFont(control.design->font));
    widget->installEventFilter(this);
    widgets_[slotOf(id)] = widget;
    orderTabs();
    return widget;
}

// The keyboard visits the widgets in their TabIndex order.
void FormView::orderTabs() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& [id, widget] : widgets_) {
        order.emplace_back(form_.state(static_cast<ControlId>(id)).design->tabIndex, widget);
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);
}

QLineEdit* FormView::createTextBox(ControlId id, const window::Control& control) {
    auto* box = new QLineEdit(this);
    box->setMaxLength(std::numeric_limits<int>::max());  // no limit on what may be typed
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, toQColor(control.back));
    palette.setColor(QPalette::Text, toQColor(control.fore));
    box->setPalette(palette);
    if (const auto label = form_.labelFor(id))
        box->setAccessibleName(toQString(form_.state(*label).caption).trimmed());
    connect(box, &QLineEdit::textChanged, this, [this, id](const QString& text) {
        typing_ = id;
        form_.typeInto(id, text.toStdString());
        typing_.reset();
        // The game's own writes come back here too, in the middle of a click: only the
        // player's typing is news to the narrator.
        if (narrator_ && !writing_) narrator_->typed();
        announceChange();
    });
    return box;
}

GraphicalButton* FormView::createButton(ControlId id, const window::Control& control) {
    auto* button = new GraphicalButton(this);
    button->setColours(toQColor(control.back), toQColor(control.fore));
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QPushButton::clicked, this, [this, id] { dispatch(form_.click(id)); });
    return button;
}

// The keys of the desktop's small games: each stands for a click the player could make,
// or for the window's close box.
void FormView::addShortcuts() {
    const auto add = [this](QKeySequence keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_F2), [this] { pressKey(window::KeyClick::Background); });
    add(QKeySequence(Qt::CTRL | Qt::Key_N), [this] { pressKey(window::KeyClick::Background); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
}

void FormView::pressKey(window::KeyClick key) {
    dispatch(form_.pressKey(key));
}

// Return and Space press what a click on a label would: a banner's, where one shows. They
// reach the window itself only where no text box or button has taken them.
void FormView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (event->modifiers() & ~Qt::KeypadModifier) break;
            pressKey(window::KeyClick::Label);
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

// Enter in a text box presses the form's first command button, and that is all it does:
// the key does not go on to the window, where it could press a banner the guess put up.
bool FormView::enterInTextBox(QEvent* event) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    if (const auto button = form_.defaultButton()) dispatch(form_.click(*button));
    return true;
}

void FormView::syncWidget(ControlId id) {
    const window::Control& control = form_.state(id);
    if (!isWidgetKind(control.kind())) return;
    QWidget* widget = widgetFor(id);
    if (!widget && !control.visible) return;
    if (!widget) widget = createWidget(id);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        // What the player typed is in the box already; only the game's own writes go back.
        if (typing_ != id) {
            const QString text = toQString(control.text);
            if (box->text() != text) {
                writing_ = true;
                box->setText(text);
                writing_ = false;
            }
        }
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(toQString(control.caption));
    }
    // A hidden text box that kept the focus would go on blinking its caret unseen.
    if (!control.visible && widget->hasFocus()) widget->clearFocus();
    widget->setVisible(control.visible);
}

void FormView::repaintNeeded(window::Rect area) {
    update(repaintArea(area));
}

void FormView::controlChanged(ControlId id) {
    lines_[static_cast<std::size_t>(id)].reset();
    syncWidget(id);
}

const std::vector<window::LaidLine>& FormView::linesOf(std::size_t control) const {
    auto& lines = lines_[control];
    if (!lines) {
        const window::Control& label = form_.controls()[control];
        lines = label.caption.empty() ? std::vector<window::LaidLine>()
                                      : layOutLabel(label, fontOf(control));
    }
    return *lines;
}

const LabelFont& FormView::fontOf(std::size_t control) const {
    auto& font = fonts_[control];
    if (!font) font = labelFont(form_.controls()[control].design->font);
    return *font;
}

void FormView::paintEvent(QPaintEvent* event) {
    if (!hiddenWidgetsCreated_) {
        hiddenWidgetsCreated_ = true;
        QMetaObject::invokeMethod(this, &FormView::createHiddenWidgets, Qt::QueuedConnection);
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, toQColor(form_.backColour()));
    paintDrawing(painter, form_.drawing());
    const auto controls = form_.controls();
    for (std::size_t i = controls.size(); i-- > 0;) {
        const window::Control& control = controls[i];
        if (!control.visible || isWidgetKind(control.kind())) continue;
        if (!toPixels(control.bounds()).intersects(dirty)) continue;
        switch (control.kind()) {
            case ControlKind::Label:
                paintLabel(painter, control, linesOf(i),
                           [this, i]() -> const LabelFont& { return fontOf(i); });
                break;
            case ControlKind::Shape:
                paintShape(painter, control);
                break;
            case ControlKind::Line:
                paintLineControl(painter, control);
                break;
            case ControlKind::TextBox:
            case ControlKind::CommandButton:
                break;
        }
    }
}

void FormView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) press(event->position());
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) release(event->position());
}

// A click is a press and a release on the same target.
void FormView::press(QPointF at) {
    pressed_ = form_.hitTest(toTwips(at));
}

void FormView::release(QPointF at) {
    const auto pressed = std::exchange(pressed_, std::nullopt);
    const window::Point point = toTwips(at);
    if (!pressed || *pressed != form_.hitTest(point)) return;
    dispatch(form_.clickAt(point));
}

// The real widgets get a mouse event only where the model's hit test says they are the
// target; anywhere else it is the form's.
bool FormView::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) return enterInTextBox(event);
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!widget || widget->parentWidget() != this) return QWidget::eventFilter(watched, event);
    const QPointF at = widget->mapToParent(mouse->position());
    const window::Hit hit = form_.hitTest(toTwips(at));
    if (hit.kind == window::HitKind::Control && widgetFor(hit.control) == widget) return false;
    if (mouse->button() == Qt::LeftButton) {
        if (type == QEvent::MouseButtonRelease)
            release(at);
        else
            press(at);
    }
    return true;
}

void FormView::dispatch(window::EventResult result) {
    announceChange();
    if (narrator_) tell(narrator_->clicked());
    if (result.status == window::EventStatus::Failed && result.error && reporter_) {
        reporter_(*result.error);
    }
}

// One notice per input, after it has run, for whoever listens.
void FormView::announceChange() {
    if (!QAccessible::isActive()) return;
    if (auto* accessible =
            dynamic_cast<FormAccessible*>(QAccessible::queryAccessibleInterface(this)))
        accessible->childrenMayHaveChanged();
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void FormView::tell(const std::string& what) {
    if (what.empty() || !QAccessible::isActive()) return;
    if (auto* accessible =
            dynamic_cast<FormAccessible*>(QAccessible::queryAccessibleInterface(this)))
        accessible->announce(toQString(what));
}

}  // namespace wordrop::window::qt
