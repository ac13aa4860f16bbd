// SPDX-License-Identifier: MIT
#include "window/qt/FormAccessible.h"

#include <QPointer>
#include <algorithm>

#include "window/qt/FormView.h"
#include "window/qt/Painting.h"
#include "window/qt/QtText.h"

namespace wordrop::window::qt {

namespace {

using window::ControlId;
using window::KeyAction;
using window::ReadRole;

// What the scene reads of a control, if it reads anything.
const window::Readable* readingOf(const FormView& view, ControlId id) {
    for (const window::Readable& item : view.scene().reading) {
        if (item.control == id) return &item;
    }
    return nullptr;
}

QStringList namesOf(const std::vector<std::string>& keys) {
    QStringList names;
    for (const std::string& key : keys) names.push_back(toQString(key));
    return names;
}

// Interfaces of our own, without a QObject: Qt's bookkeeping needs a few answers only.
class PaintedAccessible : public QAccessibleInterface {
  public:
    explicit PaintedAccessible(FormView* view) : view_(view) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

  protected:
    QPointer<FormView> view_;
};

class LabelAccessible : public PaintedAccessible, public QAccessibleActionInterface {
  public:
    LabelAccessible(FormView* view, ControlId id) : PaintedAccessible(view), id_(id) {}

    QString text(QAccessible::Text kind) const override {
        const window::Readable* item = reading();
        if (!item || kind != QAccessible::Name) return {};
        return toQString(item->text);
    }
    QRect rect() const override {
        const window::Readable* item = reading();
        if (!item) return {};
        const QRect local =
            toLogical(item->box, view_->scene().scale).toAlignedRect() & view_->rect();
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = reading() == nullptr;
        s.focusable = pressable();
        s.focused = view_ && view_->midend().focus() == id_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        if (!pressable()) return {};
        return {pressAction()};
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && pressable()) view_->present(view_->midend().activate(id_));
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action != pressAction() || !view_) return {};
        return namesOf(view_->midend().keyNames(KeyAction::PressBanner));
    }

  private:
    const window::Readable* reading() const { return view_ ? readingOf(*view_, id_) : nullptr; }
    bool pressable() const {
        const window::Readable* item = reading();
        return item && item->role == ReadRole::Pressable;
    }

    ControlId id_;
};

// The sentence last spoken about an input, for a screen reader to read when it shows.
class NotificationAccessible : public PaintedAccessible {
  public:
    using PaintedAccessible::PaintedAccessible;

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? sentence_ : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
    void setSentence(const QString& sentence) { sentence_ = sentence; }

  private:
    QString sentence_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<FormView*>(object)) return new FormAccessible(view);
    return nullptr;
}

}  // namespace

FormAccessible::FormAccessible(FormView* view) : QAccessibleWidget(view, QAccessible::Window) {}

FormAccessible::~FormAccessible() {
    for (const auto& [control, id] : labels_) QAccessible::deleteAccessibleInterface(id);
    if (notification_) QAccessible::deleteAccessibleInterface(notification_);
}

void FormAccessible::installFactory() {
    static bool installed = false;
    if (std::exchange(installed, true)) return;
    QAccessible::installFactory(factory);
}

const QString& FormAccessible::newGameAction() {
    static const QString name = QStringLiteral("new game");
    return name;
}

FormView* FormAccessible::view() const {
    return static_cast<FormView*>(widget());
}

QAccessibleInterface* FormAccessible::labelInterface(ControlId id) const {
    const auto key = static_cast<std::uint16_t>(id);
    auto it = labels_.find(key);
    if (it == labels_.end()) {
        const QAccessible::Id registered =
            QAccessible::registerAccessibleInterface(new LabelAccessible(view(), id));
        it = labels_.emplace(key, registered).first;
    }
    return QAccessible::accessibleInterface(it->second);
}

// In the scene's reading order.
std::vector<QAccessibleInterface*> FormAccessible::children() const {
    std::vector<QAccessibleInterface*> result;
    for (const window::Readable& item : view()->scene().reading) {
        if (item.role != ReadRole::Widget) {
            result.push_back(labelInterface(item.control));
        } else if (QWidget* widget = view()->widgetFor(item.control)) {
            result.push_back(QAccessible::queryAccessibleInterface(widget));
        }
    }
    return result;
}

int FormAccessible::childCount() const {
    return static_cast<int>(children().size());
}

QAccessibleInterface* FormAccessible::child(int index) const {
    const auto all = children();
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)]
                                                              : nullptr;
}

int FormAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto all = children();
    const auto it = std::find(all.begin(), all.end(), child);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

QAccessibleInterface* FormAccessible::childAt(int x, int y) const {
    for (QAccessibleInterface* child : children()) {
        if (child->rect().contains(x, y)) return child;
    }
    return nullptr;
}

QString FormAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Description) return toQString(view()->midend().summary());
    return QAccessibleWidget::text(kind);
}

QStringList FormAccessible::actionNames() const {
    if (!view()->midend().available(KeyAction::NewGame)) return {};
    return {newGameAction()};
}

void FormAccessible::doAction(const QString& action) {
    if (action == newGameAction()) view()->present(view()->midend().act(KeyAction::NewGame));
}

QStringList FormAccessible::keyBindingsForAction(const QString& action) const {
    if (action != newGameAction()) return {};
    return namesOf(view()->midend().keyNames(KeyAction::NewGame));
}

// Added and removed children are told one by one: the ChildrenChanged signal Qt makes of
// a reorder is one that AT-SPI clients reject.
void FormAccessible::childrenMayHaveChanged() {
    const std::vector<QAccessibleInterface*> now = children();
    const auto absentFrom = [](const std::vector<QAccessibleInterface*>& list,
                               QAccessibleInterface* iface) {
        return std::find(list.begin(), list.end(), iface) == list.end();
    };
    for (QAccessibleInterface* gone : lastChildren_) {
        if (!absentFrom(now, gone)) continue;
        QAccessibleEvent removed(gone, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&removed);
    }
    for (QAccessibleInterface* added : now) {
        if (!absentFrom(lastChildren_, added)) continue;
        QAccessibleEvent created(added, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
    }
    lastChildren_ = now;
}

// A notification that shows is spoken by screen readers, whatever has the focus.
void FormAccessible::focusMoved(ControlId id) {
    QAccessibleEvent focused(labelInterface(id), QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

void FormAccessible::announce(const QString& sentence) {
    if (!notification_) {
        notification_ =
            QAccessible::registerAccessibleInterface(new NotificationAccessible(view()));
    }
    auto* notification =
        static_cast<NotificationAccessible*>(QAccessible::accessibleInterface(notification_));
    notification->setSentence(sentence);
    // Listeners hear a notification as it comes into view: it leaves first, so that each
    // sentence comes in anew.
    QAccessibleEvent hidden(notification, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace wordrop::window::qt
