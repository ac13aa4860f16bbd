#pragma once

#include <QAccessibleWidget>
#include <unordered_map>

#include "window/Form.h"

namespace wordrop::view {

class FormView;

// What a screen reader sees of the painted form: the window, named by its title and
// described by a summary of the game; as its children, every label whose text can be
// seen (banners as alerts), and the real text box and button while they show.
class FormAccessible : public QAccessibleWidget {
  public:
    explicit FormAccessible(FormView* view);
    ~FormAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;

    // Makes Qt ask this class for a FormView's interface. Call once the application exists.
    static void installFactory();

  private:
    std::vector<QAccessibleInterface*> children() const;
    QAccessibleInterface* labelInterface(window::ControlId id) const;
    FormView* view() const;

    mutable std::unordered_map<std::uint16_t, QAccessible::Id> labels_;
};

}  // namespace wordrop::view
