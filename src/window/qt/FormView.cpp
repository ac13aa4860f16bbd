// SPDX-License-Identifier: MIT
#include "window/qt/FormView.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <limits>

#include "window/qt/Fonts.h"
#include "window/qt/FormAccessible.h"
#include "window/qt/GraphicalButton.h"
#include "window/qt/KeyStroke.h"
#include "window/qt/Painting.h"
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

QRect logicalRect(window::Rect twips) {
    return toLogical(window::toPixels(twips), 1).toAlignedRect();
}

}  // namespace

FormView::FormView(window::Midend& midend, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      midend_(midend),
      reporter_(messageBoxReporter(this)) {
    setWindowTitle(toQString(midend.title()));
    const window::Scene& start = midend.scene(1);
    frame_ = new WindowFrame(*this, QSizeF(start.width, start.height).toSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    installEventFilter(this);
    createShownWidgets();
    midend_.onChanges([this] { apply(midend_.takeChanges()); });
    FormAccessible::installFactory();
}

FormView::~FormView() {
    midend_.onChanges({});
}

void FormView::showCentred() {
    frame_->showCentred();
}

QWidget* FormView::widgetFor(ControlId id) const {
    const auto it = widgets_.find(slotOf(id));
    return it == widgets_.end() ? nullptr : it->second;
}

const window::Scene& FormView::scene() const {
    return midend_.scene(devicePixelRatioF());
}

// Text boxes and buttons become real widgets when they first show, or right after the
// first frame, whichever comes first: building a line edit loads the font database, which
// the first frame of a start screen without text does not need, and the first click
// should not wait for.
void FormView::createShownWidgets() {
    for (const window::WidgetSlot& slot : midend_.scene(1).widgets) {
        if (slot.visible) syncWidget(slot.control);
    }
}

void FormView::createHiddenWidgets() {
    for (const window::WidgetSlot& slot : midend_.scene(1).widgets) {
        if (widgetFor(slot.control)) continue;
        createWidget(slot.control);
        syncWidget(slot.control);
    }
}

QWidget* FormView::createWidget(ControlId id) {
    const window::WidgetSlot slot = midend_.widget(id, 1);
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

// Past the midend's last stop, Tab moves on as Qt's own chain does: in the same order.
void FormView::orderTabs() {
    QWidget* previous = nullptr;
    for (const window::WidgetSlot& slot : midend_.scene(1).widgets) {
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
    box->setText(toQString(slot.text));
    connect(box, &QLineEdit::textChanged, this,
            [this, id](const QString& text) { present(midend_.type(id, text.toStdString())); });
    return box;
}

GraphicalButton* FormView::createButton(ControlId id, const window::WidgetSlot& slot) {
    auto* button = new GraphicalButton(this);
    button->setColours(toQColor(slot.back), toQColor(slot.fore));
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QPushButton::clicked, this, [this, id] { present(midend_.activate(id)); });
    return button;
}

// Focus leaves a widget before it hides, so that Qt never moves it on by itself, and goes
// to a widget once it shows.
void FormView::apply(const window::Changes& changes) {
    if (changes.focusMoved && !focusTarget()) moveFocus();
    for (const ControlId id : changes.widgets) syncWidget(id);
    for (const ControlId id : changes.rewritten) writeText(id);
    if (changes.focusMoved && focusTarget()) moveFocus();
    // Lines and outlines are a pixel wide: one more pixel all round.
    for (const window::Rect area : changes.repaint)
        update(logicalRect(area).adjusted(-1, -1, 1, 1));
}

void FormView::syncWidget(ControlId id) {
    const window::WidgetSlot slot = midend_.widget(id, 1);
    QWidget* widget = widgetFor(id);
    if (!widget && !slot.visible) return;
    if (!widget) widget = createWidget(id);
    if (auto* button = dynamic_cast<GraphicalButton*>(widget)) {
        std::optional<qsizetype> key;
        if (slot.accessKey)
            key = toQString(std::string_view(slot.caption).substr(0, *slot.accessKey)).size();
        button->setCaption(toQString(slot.caption), key);
    }
    widget->setVisible(slot.visible);
}

void FormView::writeText(ControlId id) {
    if (auto* box = qobject_cast<QLineEdit*>(widgetFor(id)))
        box->setText(toQString(midend_.widget(id, 1).text));
}

// A banner or the window holds the focus as the window itself; a screen reader hears of
// the banner.
QWidget* FormView::focusTarget() const {
    const auto focus = midend_.focus();
    return focus ? widgetFor(*focus) : nullptr;
}

void FormView::moveFocus() {
    const auto focus = midend_.focus();
    QWidget* widget = focusTarget();
    movingFocus_ = true;
    (widget ? widget : static_cast<QWidget*>(this))->setFocus(Qt::OtherFocusReason);
    movingFocus_ = false;
    if (focus && !widget && QAccessible::isActive()) {
        if (auto* accessible =
                dynamic_cast<FormAccessible*>(QAccessible::queryAccessibleInterface(this)))
            accessible->focusMoved(*focus);
    }
}

void FormView::paintEvent(QPaintEvent* event) {
    if (!hiddenWidgetsCreated_) {
        hiddenWidgetsCreated_ = true;
        QMetaObject::invokeMethod(this, &FormView::createHiddenWidgets, Qt::QueuedConnection);
    }
    QPainter painter(this);
    paintScene(painter, scene(), event->rect());
}

// A press or a key whose release the window will never see is forgotten.
void FormView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) midend_.deactivated();
    QWidget::changeEvent(event);
}

std::optional<ControlId> FormView::controlOf(QObject* object) const {
    for (const auto& [slot, widget] : widgets_) {
        if (widget == object) return ControlId(slot);
    }
    return std::nullopt;
}

// The window's own events and its widgets' all go to the midend first.
bool FormView::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != this && (!widget || widget->parentWidget() != this))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return key(event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            return mouse(event, widget->mapTo(this, static_cast<QMouseEvent*>(event)->position()));
        case QEvent::FocusIn:
            if (const auto id = controlOf(watched); id && !movingFocus_)
                present(midend_.focusMoved(window::FocusPlace::on(*id)));
            return false;
        case QEvent::FocusOut:
            // Leaving the window is no move within it.
            if (controlOf(watched) && !movingFocus_ &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
                present(midend_.focusMoved(window::FocusPlace::window()));
            return false;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

bool FormView::key(QEvent* event) {
    const auto motion =
        event->type() == QEvent::KeyPress ? window::KeyMotion::Press : window::KeyMotion::Release;
    const window::Outcome outcome = midend_.key(keyStroke(*static_cast<QKeyEvent*>(event)), motion);
    present(outcome);
    return outcome.used;
}

bool FormView::mouse(QEvent* event, QPointF at) {
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    const auto motion = event->type() == QEvent::MouseButtonRelease ? window::PointerMotion::Release
                                                                    : window::PointerMotion::Press;
    const window::Outcome outcome = midend_.pointer(motion, {at.x(), at.y()});
    present(outcome);
    return outcome.used;
}

void FormView::present(const window::Outcome& outcome) {
    apply(outcome.changes);
    announceChange();
    tell(outcome.narration);
    if (!outcome.error.empty() && reporter_) reporter_(outcome.error);
    if (outcome.close) close();
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
