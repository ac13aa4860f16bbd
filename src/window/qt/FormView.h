// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "window/Clicks.h"
#include "window/Form.h"
#include "window/Keys.h"
#include "window/Narrator.h"
#include "window/Scene.h"
#include "window/qt/ErrorReport.h"
#include "window/qt/Fonts.h"

class QKeyEvent;
class QLineEdit;

namespace wordrop::window::qt {

class GraphicalButton;
class WindowFrame;

// The window on screen: paints the model's scene and hands the model the player's clicks,
// keys and typing. Text boxes and command buttons are real widgets, kept in step with the
// model both ways. What a click or a key means is the model's to say, never the view's.
class FormView : public QWidget, private window::FormObserver {
  public:
    explicit FormView(window::Form& form, QWidget* parent = nullptr);
    ~FormView() override;

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    // Shows the window in the middle of its screen.
    void showCentred();

    QWidget* widgetFor(window::ControlId id) const;
    const window::Form& form() const { return form_; }
    // What the window shows now, at its screen's scale.
    const window::Scene& scene() const;

    // A short description of what the window shows, for assistive technology.
    void setSummary(std::function<std::string()> summary) { summary_ = std::move(summary); }
    std::string summary() const { return summary_ ? summary_() : std::string(); }
    // Who tells a screen reader what each input changed.
    void setNarrator(window::Narrator* narrator) { narrator_ = narrator; }

    // What a key stands for, as assistive technology asks for it.
    void perform(window::KeyAction action, std::optional<window::ControlId> target = {});

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void repaintNeeded(window::Rect area) override;
    void controlChanged(window::ControlId id) override;

    void createShownWidgets();
    void createHiddenWidgets();
    QWidget* createWidget(window::ControlId id);
    void orderTabs();
    QLineEdit* createTextBox(window::ControlId id, const window::WidgetSlot& slot);
    GraphicalButton* createButton(window::ControlId id, const window::WidgetSlot& slot);
    void syncWidget(window::ControlId id);
    bool key(QKeyEvent* event, window::Focus focus, std::optional<window::ControlId> focused);
    bool mouse(QWidget* widget, QEvent* event);
    void press(QPointF at);
    void release(QPointF at);
    void dispatch(window::EventResult result);
    void announceChange();
    void tell(const std::string& what);

    window::Form& form_;
    QtFontMeasure measure_;
    window::SceneBuilder scenes_;
    mutable std::optional<window::Scene> scene_;  // until the form or the screen changes
    window::ClickTracker clicks_;
    std::unordered_map<std::uint16_t, QWidget*> widgets_;
    QWidget* nativePress_ = nullptr;  // the widget that took the last press itself
    bool hiddenWidgetsCreated_ = false;
    std::optional<window::ControlId> typing_;  // the text box whose typing is being handed on
    bool writing_ = false;                     // the game is writing into a text box
    ErrorReporter reporter_;
    std::function<std::string()> summary_;
    window::Narrator* narrator_ = nullptr;
    WindowFrame* frame_ = nullptr;
};

}  // namespace wordrop::window::qt
