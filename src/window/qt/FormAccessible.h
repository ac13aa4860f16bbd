// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <unordered_map>
#include <vector>

#include "window/ControlId.h"

namespace wordrop::window::qt {

class FormView;

// What a screen reader sees of the painted form: the window, named by its title and
// described by a summary of the game; as its children, every label whose text can be
// seen, and the real text box and button while they show. Each click a key stands for is
// also an action: the window's "new game", a banner's "press". What an input changed is
// spoken through a notification.
class FormAccessible : public QAccessibleWidget {
  public:
    explicit FormAccessible(FormView* view);
    ~FormAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

    // Tells listeners which children came and went since the last call.
    void childrenMayHaveChanged();
    // Tells listeners that a painted label, a banner, now has the keyboard focus.
    void focusMoved(window::ControlId id);
    // Speaks the sentence through the window's notification.
    void announce(const QString& sentence);

    // Makes Qt ask this class for a FormView's interface. Call once the application exists.
    static void installFactory();

    static const QString& newGameAction();

  private:
    std::vector<QAccessibleInterface*> children() const;
    QAccessibleInterface* labelInterface(window::ControlId id) const;
    FormView* view() const;

    mutable std::unordered_map<std::uint16_t, QAccessible::Id> labels_;
    std::vector<QAccessibleInterface*> lastChildren_;
    QAccessible::Id notification_ = 0;
};

}  // namespace wordrop::window::qt
