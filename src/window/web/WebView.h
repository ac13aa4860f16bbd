// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "window/Clicks.h"
#include "window/Form.h"
#include "window/Narrator.h"
#include "window/Scene.h"

namespace wordrop::window::web {

// The text of the page's fonts, measured by the page itself (a canvas's measureText), so
// that a caption breaks where the browser will draw it.
class BrowserMeasure final : public FontMeasure {
  public:
    double advance(const Font& font, std::string_view utf8) const override;
    double ascent(const Font& font) const override;
    double lineHeight(const Font& font) const override;
};

enum class PointerEvent : std::uint8_t { Down, Up, Cancel };

// The browser's view of a form: it hands the page script the model's scene as JSON, in
// CSS pixels, and hands the form the page's pointer, keys and typing. An input that can
// change the form answers with a JSON object: the scene, the window's summary, what a
// screen reader should say, the run-time error the input met, if any, and for a key
// whether the page should keep it from the browser; the others answer "{}". The page
// script draws and never decides anything.
class WebView : public FormObserver {
  public:
    explicit WebView(Form& form, Narrator* narrator = nullptr);
    ~WebView() override;
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    void setSummary(std::function<std::string()> summary) { summary_ = std::move(summary); }

    [[nodiscard]] std::string scene();
    [[nodiscard]] std::string pointer(PointerEvent event, double x, double y);
    // A key as the page's keydown event has it; focused is the control with the keyboard
    // focus, or -1.
    [[nodiscard]] std::string key(std::string_view key, std::string_view code, int modifiers,
                                  bool repeat, bool composing, int focused);
    // A control's own click: the button's, or a banner's as a screen reader presses it.
    [[nodiscard]] std::string activate(int id);
    [[nodiscard]] std::string type(int id, std::string text);
    // The page's faces arrived: every caption is measured again.
    [[nodiscard]] std::string relayout();

    void repaintNeeded(Rect) override {}
    void controlChanged(ControlId id) override { scenes_.forget(id); }

  private:
    std::string openAnswer();
    std::string answer(const EventResult& result, std::string_view extra = {});
    void appendScene(std::string& out);
    void appendWidget(std::string& out, const WidgetSlot& slot);
    bool valid(int id) const;

    Form& form_;
    Narrator* narrator_;
    BrowserMeasure measure_;
    SceneBuilder scenes_;
    ClickTracker clicks_;
    std::function<std::string()> summary_;
    std::vector<std::string> shownText_;  // what each text box shows in the page
};

}  // namespace wordrop::window::web
