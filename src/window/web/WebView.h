// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/Form.h"
#include "window/LineBreaker.h"
#include "window/Narrator.h"

namespace wordrop::window::web {

// The browser's view of a form: it hands the page script the form as a scene to draw, in
// CSS pixels, and hands the form the page's clicks, keys and typing. An input that can
// change the form answers with a JSON object: the scene, what a screen reader should say,
// and the run-time error the input met, if any; the others answer "{}". The page script
// draws and never decides anything.
class WebView : public FormObserver {
  public:
    explicit WebView(Form& form, Narrator* narrator = nullptr);
    ~WebView() override;
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    [[nodiscard]] std::string scene();
    // Lays every caption out again, as after a face arrived: answers with the scene.
    [[nodiscard]] std::string relayout();
    // A click is a press and a release on the same target, as on the desktop.
    [[nodiscard]] std::string press(double x, double y);
    [[nodiscard]] std::string release(double x, double y);
    [[nodiscard]] std::string clickControl(int id);
    [[nodiscard]] std::string pressKey(KeyClick key);
    // Enter in a text box presses the form's first command button.
    [[nodiscard]] std::string pressDefaultButton();
    [[nodiscard]] std::string type(int id, std::string text);

    // A caption is laid out again only after its label changed.
    void repaintNeeded(Rect) override {}
    void controlChanged(ControlId id) override;

  private:
    std::string answer(const EventResult& result);
    void appendControl(std::string& out, ControlId id);
    const std::string& captionLayout(ControlId id);
    void appendDrawing(std::string& out) const;

    Form& form_;
    Narrator* narrator_;
    std::optional<Hit> pressed_;
    std::vector<std::string> shownText_;                // what each text box shows in the page
    std::vector<std::optional<std::string>> captions_;  // each label's laid-out lines, as JSON
};

}  // namespace wordrop::window::web
