// SPDX-License-Identifier: MIT
#include "window/qt/FormView.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <limits>
#include <utility>

#include "window/qt/FormAccessible.h"
#include "window/qt/GraphicalButton.h"
#include "window/qt/KeyStroke.h"
#include "window/qt/Painting.h"
#include "window/qt/QtText.h"
#include "window/qt/WindowFrame.h"

namespace wordrop::window::qt {

using window::ControlId;
using window::ControlKind;
using window::KeyAction;

namespace {

// Widgets are kept by their control's place in the form.
std::uint16_t slotOf(ControlId id) {
    return static_cast<std::uint16_t>(id);
}

bool isWidgetKind(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
}

window::PointF pointOf(QPointF at) {
    return {at.x(), at.y()};
}

}  // namespace

FormView::FormView(window::Form& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      form_(form),
      scenes_(form, measure_),
      clicks_(form),
      reporter_(messageBoxReporter(this)) {
    setWindowTitle(toQString(form.caption()));
    frame_ =
        new WindowFrame(*this, toLogical(window::toPixels(form.clientArea()), 1).size().toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    createShownWidgets();
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

const window::Scene& FormView::scene() const {
    const double scale = devicePixelRatioF();
    if (!scene_ || scene_->scale != scale) scene_ = scenes_.build(scale);
    return *scene_;
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
    const window::WidgetSlot slot = scenes_.widget(id, 1);
    QWidget* widget = slot.kind == ControlKind::TextBox
                          ? static_cast<QWidget*>(createTextBox(id, slot))
                          : createButton(id, slot);
    widget->setGeometry(toLogical(slot.box, 1).toRect());
    widget->setFont(qtFont(slot.font));
    widget->setAccessibleName(toQString(slot.name));
    widget->installEventFilter(this);
    widgets_[slotOf(id)] = widget;
    orderTabs();
    return widget;
}

void FormView::orderTabs() {
    QWidget* previous = nullptr;
    for (const window::WidgetSlot& slot : scene().widgets) {
        QWidget* widget = widgetFor(slot.control);
        if (!widget) continue;
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
}

QLineEdit* FormView::createTextBox(ControlId id, const window::WidgetSlot& slot) {
    auto* box = new QLineEdit(this);
    box->setMaxLength(std::numeric_limits<int>::max());  // no limit on what may be typed
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, toQColor(slot.back));
    palette.setColor(QPalette::Text, toQColor(slot.fore));
    box->setPalette(palette);
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

GraphicalButton* FormView::createButton(ControlId id, const window::WidgetSlot& slot) {
    auto* button = new GraphicalButton(this);
    button->setColours(toQColor(slot.back), toQColor(slot.fore));
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QPushButton::clicked, this, [this, id] { dispatch(form_.click(id)); });
    return button;
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
    } else if (auto* button = dynamic_cast<GraphicalButton*>(widget)) {
        const window::WidgetSlot slot = scenes_.widget(id, 1);
        std::optional<qsizetype> key;
        if (slot.accessKey)
            key = toQString(std::string_view(slot.caption).substr(0, *slot.accessKey)).size();
        button->setCaption(toQString(slot.caption), key);
    }
    // A hidden text box that kept the focus would go on blinking its caret unseen.
    if (!control.visible && widget->hasFocus()) widget->clearFocus();
    widget->setVisible(control.visible);
}

// Lines and outlines are a pixel wide: one more pixel all round.
void FormView::repaintNeeded(window::Rect area) {
    scene_.reset();
    update(toLogical(window::toPixels(area), 1).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void FormView::controlChanged(ControlId id) {
    scene_.reset();
    scenes_.forget(id);
    syncWidget(id);
}

void FormView::paintEvent(QPaintEvent* event) {
    if (!hiddenWidgetsCreated_) {
        hiddenWidgetsCreated_ = true;
        QMetaObject::invokeMethod(this, &FormView::createHiddenWidgets, Qt::QueuedConnection);
    }
    QPainter painter(this);
    paintScene(painter, scene(), event->rect());
}

void FormView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) press(event->position());
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) release(event->position());
}

// A press whose release the window will never see is forgotten.
void FormView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) clicks_.forget();
    QWidget::changeEvent(event);
}

void FormView::press(QPointF at) {
    clicks_.press(pointOf(at));
}

void FormView::release(QPointF at) {
    if (const auto point = clicks_.release(pointOf(at))) dispatch(form_.clickAt(*point));
}

void FormView::keyPressEvent(QKeyEvent* event) {
    if (!key(event, window::Focus::Window, std::nullopt)) QWidget::keyPressEvent(event);
}

// Every key goes to the model's table first; what it leaves is the widget's own.
bool FormView::key(QKeyEvent* event, window::Focus focus, std::optional<ControlId> focused) {
    const window::KeyOutcome outcome = window::pressKey(form_, keyStroke(*event), focus, focused);
    switch (outcome.action) {
        case KeyAction::Pass:
            return false;
        case KeyAction::Ignore:
            return true;
        case KeyAction::Close:
            close();
            return true;
        default:
            dispatch(outcome.result);
            return true;
    }
}

void FormView::perform(KeyAction action, std::optional<ControlId> target) {
    if (action == KeyAction::Close) {
        close();
        return;
    }
    dispatch(window::perform(form_, action, target));
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->parentWidget() != this) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        std::optional<ControlId> id;
        for (const auto& [slot, w] : widgets_) {
            if (w == widget) id = ControlId(slot);
        }
        const auto focus =
            qobject_cast<QLineEdit*>(widget) ? window::Focus::TextBox : window::Focus::Button;
        return key(static_cast<QKeyEvent*>(event), focus, id);
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
        event->type() == QEvent::MouseButtonDblClick)
        return mouse(widget, event);
    return QWidget::eventFilter(watched, event);
}

// A widget is pressed only where the model's hit test says it is the target; anywhere
// else the press is the form's, and so is its release.
bool FormView::mouse(QWidget* widget, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPointF at = widget->mapToParent(mouse->position());
    const window::Hit hit = form_.hitTest(window::toTwips(pointOf(at)));
    const bool onWidget = hit.kind == window::HitKind::Control && widgetFor(hit.control) == widget;
    if (mouse->button() != Qt::LeftButton) return !onWidget;
    if (event->type() != QEvent::MouseButtonRelease) {
        press(at);
        nativePress_ = onWidget ? widget : nullptr;
        return !onWidget;
    }
    release(at);
    // A widget that took the press natively sees its release, wherever it is let go.
    return std::exchange(nativePress_, nullptr) != widget;
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
