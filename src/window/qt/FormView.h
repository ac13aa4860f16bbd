// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "window/Form.h"
#include "window/LineBreaker.h"
#include "window/Narrator.h"
#include "window/qt/ErrorReport.h"
#include "window/qt/Fonts.h"

class QLineEdit;

namespace wordrop::window::qt {

class GraphicalButton;
class WindowFrame;

// The window on screen: paints the form model and hands it the player's clicks and
// typing. Labels, shapes, lines and the drawing are painted; text boxes and command
// buttons are real widgets, kept in step with the model both ways. Every click is routed
// by the model's hit test, so the view never decides what a click means.
class FormView : public QWidget, private window::FormObserver {
  public:
    explicit FormView(window::Form& form, QWidget* parent = nullptr);
    ~FormView() override;

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    // Shows the window in the middle of its screen.
    void showCentred();

    QWidget* widgetFor(window::ControlId id) const;
    const window::Form& form() const { return form_; }

    // A short description of what the window shows, for assistive technology.
    void setSummary(std::function<std::string()> summary) { summary_ = std::move(summary); }
    std::string summary() const { return summary_ ? summary_() : std::string(); }
    // Who tells a screen reader what each input changed.
    void setNarrator(window::Narrator* narrator) { narrator_ = narrator; }

    // The click a key stands for, as the keyboard and assistive technology ask for it.
    void pressKey(window::KeyClick key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void repaintNeeded(window::Rect area) override;
    void controlChanged(window::ControlId id) override;

    void createShownWidgets();
    void createHiddenWidgets();
    QWidget* createWidget(window::ControlId id);
    void orderTabs();
    void addShortcuts();
    QLineEdit* createTextBox(window::ControlId id, const window::Control& control);
    GraphicalButton* createButton(window::ControlId id, const window::Control& control);
    void syncWidget(window::ControlId id);
    void press(QPointF at);
    void release(QPointF at);
    void dispatch(window::EventResult result);
    void announceChange();
    void tell(const std::string& what);
    bool enterInTextBox(QEvent* event);

    window::Form& form_;
    const std::vector<window::LaidLine>& linesOf(std::size_t control) const;
    const LabelFont& fontOf(std::size_t control) const;

    // Each control's font, looked up when it first shows text: at start nothing does.
    mutable std::vector<std::optional<LabelFont>> fonts_;
    // Each label's caption as laid out when last painted; dropped when the label changes.
    mutable std::vector<std::optional<std::vector<window::LaidLine>>> lines_;
    std::unordered_map<std::uint16_t, QWidget*> widgets_;
    std::optional<window::Hit> pressed_;
    bool hiddenWidgetsCreated_ = false;
    std::optional<window::ControlId> typing_;  // the text box whose typing is being handed on
    bool writing_ = false;                     // the game is writing into a text box
    ErrorReporter reporter_;
    std::function<std::string()> summary_;
    window::Narrator* narrator_ = nullptr;
    WindowFrame* frame_ = nullptr;
};

}  // namespace wordrop::window::qt
