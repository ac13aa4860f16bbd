// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <unordered_map>

#include "window/Midend.h"
#include "window/qt/ErrorReport.h"

class QLineEdit;

namespace wordrop::window::qt {

class GraphicalButton;
class WindowFrame;

// The window on screen: an adapter between Qt and the midend. It paints the midend's
// scene, hands it every click, key, keystroke and focus change Qt delivers, and shows the
// outcome. Text boxes and command buttons are real widgets. What an input means is the
// midend's to say, never the view's.
class FormView : public QWidget {
  public:
    explicit FormView(window::Midend& midend, QWidget* parent = nullptr);
    ~FormView() override;

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    // Shows the window in the middle of its screen.
    void showCentred();

    QWidget* widgetFor(window::ControlId id) const;
    window::Midend& midend() const { return midend_; }
    // What the window shows now, at its screen's scale.
    const window::Scene& scene() const;
    // Shows what an input changed, says what it told, reports its error.
    void present(const window::Outcome& outcome);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createShownWidgets();
    void createHiddenWidgets();
    QWidget* createWidget(window::ControlId id);
    QLineEdit* createTextBox(window::ControlId id, const window::WidgetSlot& slot);
    GraphicalButton* createButton(window::ControlId id, const window::WidgetSlot& slot);
    void orderTabs();
    void apply(const window::Changes& changes);
    void syncWidget(window::ControlId id);
    void writeText(window::ControlId id);
    void moveFocus();
    // The widget the midend gives the focus to, if it is one.
    QWidget* focusTarget() const;
    std::optional<window::ControlId> controlOf(QObject* object) const;
    bool key(QEvent* event);
    bool mouse(QEvent* event, QPointF at);
    void announceChange();
    void tell(const std::string& what);

    window::Midend& midend_;
    std::unordered_map<std::uint16_t, QWidget*> widgets_;
    bool hiddenWidgetsCreated_ = false;
    bool movingFocus_ = false;  // the midend's move, not news to it
    ErrorReporter reporter_;
    WindowFrame* frame_ = nullptr;
};

}  // namespace wordrop::window::qt
