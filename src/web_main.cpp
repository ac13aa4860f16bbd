// SPDX-License-Identifier: MIT
// The game in a web page: Form1 and its narrator behind the midend, reached from the page
// script (view.js) through these functions. Each answers the input with the JSON object
// answerJson writes, which stays valid until the next call.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "game/BoardSummary.h"
#include "game/Figure.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Midend.h"
#include "window/TextSplice.h"
#include "window/web/SceneJson.h"
#include "window/web/WebView.h"

namespace {

namespace window = wordrop::window;
using window::ControlId;

struct Game {
    wordrop::game::Form1 form1;
    wordrop::game::Form1Narrator narrator{form1};
    window::web::BrowserMeasure measure;
    window::Midend midend{form1.form(), measure, &narrator,
                          [this] { return wordrop::game::summarize(form1); }};
    Game() {
        midend.markLetters([this](char letter) { return wordrop::game::markOf(form1, letter); });
    }
};

std::unique_ptr<Game> game;
std::string reply;

const char* answer(const window::Outcome& outcome, bool whole = false) {
    reply = window::web::answerJson(game->midend, outcome, whole);
    return reply.c_str();
}

}  // namespace

extern "C" {

// The window opened, as at first or again after the last one closed.
EMSCRIPTEN_KEEPALIVE const char* wordrop_start() {
    game = std::make_unique<Game>();
    return answer({}, true);
}

// 0: a press, 1: a release, 2: a press cancelled; at a point in CSS pixels of the form.
EMSCRIPTEN_KEEPALIVE const char* wordrop_pointer(int motion, double x, double y) {
    return answer(game->midend.pointer(window::PointerMotion(motion), {x, y}));
}

// A keydown (release 0) or keyup (1); modifiers: 1 Shift, 2 Ctrl, 4 Alt, 8 Meta.
EMSCRIPTEN_KEEPALIVE const char* wordrop_key(int release, const char* key, const char* code,
                                             int modifiers, int repeat, int composing) {
    const auto stroke = window::web::domKeyStroke(key, code, modifiers, repeat, composing);
    return answer(game->midend.key(
        stroke, release != 0 ? window::KeyMotion::Release : window::KeyMotion::Press));
}

// The text box's text as UTF-8 with its length: it may hold any character, NUL included.
EMSCRIPTEN_KEEPALIVE const char* wordrop_type(int id, const char* text, int length) {
    return answer(game->midend.type(ControlId(id), std::string(text, std::size_t(length))));
}

// The player edited a text box: of its text, in the page's UTF-16 units, this many kept in
// front and at the back, and this many between them gave way to the text given. Null
// where that does not fit what the game holds: the page then sends the whole text.
EMSCRIPTEN_KEEPALIVE const char* wordrop_edit(int id, int front, int removed, int back,
                                              const char* text, int length) {
    const auto box = ControlId(id);
    auto splice =
        window::spliceOfUnits(game->midend.text(box), std::size_t(front), std::size_t(removed),
                              std::size_t(back), std::string(text, std::size_t(length)));
    return splice ? answer(game->midend.edit(box, *splice)) : nullptr;
}

// A letter, 'a' to 'z', picked from the page's letter pad.
EMSCRIPTEN_KEEPALIVE const char* wordrop_pick(int letter) {
    return answer(game->midend.pickLetter(static_cast<char>(letter)));
}

// A tap no widget took, at a point in CSS pixels of the form; keyboardUp: the on-screen
// keyboard was up for the text box.
EMSCRIPTEN_KEEPALIVE const char* wordrop_tap(double x, double y, int keyboardUp) {
    return answer(game->midend.tap({x, y}, 1, keyboardUp != 0));
}

// A button's own click, or a screen reader's on a banner.
EMSCRIPTEN_KEEPALIVE const char* wordrop_activate(int id) {
    return answer(game->midend.activate(ControlId(id)));
}

// The page's focus moved: 0 to the control given, 1 to the form itself (the window), 2 out
// of the form, to one of the page's own controls.
EMSCRIPTEN_KEEPALIVE const char* wordrop_focus(int place, int id) {
    using Kind = window::FocusPlace::Kind;
    return answer(game->midend.focusMoved({Kind(place), ControlId(id)}));
}

// The page lost the keyboard and the pointer.
EMSCRIPTEN_KEEPALIVE void wordrop_deactivate() {
    game->midend.deactivated();
}

// A face the page draws with arrived after the captions were measured with a stand-in.
EMSCRIPTEN_KEEPALIVE const char* wordrop_faces_changed() {
    return answer(game->midend.facesChanged());
}

#ifdef WORDROP_WEB_TESTING
// For the browser suite, as the desktop's tests do through the same seam: the n-th
// operation on the form from now fails with a run-time error. Only the page built for the
// suite has it.
EMSCRIPTEN_KEEPALIVE void wordrop_fail_operation(int n) {
    game->form1.form().faults().failOperation(static_cast<std::uint64_t>(n));
}

// The figure's piece drawn alone, as the desktop's golden screen of the whole figure has
// it: the ninth piece is otherwise only ever drawn under the lose banner.
EMSCRIPTEN_KEEPALIVE const char* wordrop_draw_figure_piece(int piece) {
    wordrop::game::drawFigurePiece(game->form1.form(), static_cast<std::int16_t>(piece));
    window::Outcome outcome;
    outcome.changes = game->midend.takeChanges();
    return answer(outcome);
}
#endif
}
