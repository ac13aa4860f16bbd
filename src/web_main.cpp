// SPDX-License-Identifier: MIT
// The game in a web page: Form1 and its narrator behind the browser's view, reached from
// the page script through these functions. Each returns JSON that stays valid until the
// next call.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <string>

#include "game/BoardSummary.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/web/WebView.h"

namespace {

using wordrop::window::web::PointerEvent;

struct Game {
    Game() {
        view.setSummary([this] { return wordrop::game::summarize(form1); });
    }
    wordrop::game::Form1 form1;
    wordrop::game::Form1Narrator narrator{form1};
    wordrop::window::web::WebView view{form1.form(), &narrator};
};

std::unique_ptr<Game> game;
std::string reply;

const char* keep(std::string json) {
    reply = std::move(json);
    return reply.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* wordrop_start() {
    game = std::make_unique<Game>();
    return keep(game->view.scene());
}

// 0: a press, 1: a release, 2: a press cancelled; at a point in CSS pixels of the form.
EMSCRIPTEN_KEEPALIVE const char* wordrop_pointer(int event, double x, double y) {
    return keep(game->view.pointer(static_cast<PointerEvent>(event), x, y));
}

// Modifiers: 1 Shift, 2 Ctrl, 4 Alt, 8 Meta; focused: the focused control, or -1.
EMSCRIPTEN_KEEPALIVE const char* wordrop_key(const char* key, const char* code, int modifiers,
                                             int repeat, int composing, int focused) {
    return keep(game->view.key(key, code, modifiers, repeat != 0, composing != 0, focused));
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_activate(int id) {
    return keep(game->view.activate(id));
}

// The text as UTF-8 with its length: it may hold any character, NUL included.
EMSCRIPTEN_KEEPALIVE const char* wordrop_type(int id, const char* text, int length) {
    return keep(game->view.type(id, std::string(text, static_cast<std::size_t>(length))));
}

// The scene with every caption laid out again, for when a face the page draws with arrives
// after the captions were measured with a stand-in.
EMSCRIPTEN_KEEPALIVE const char* wordrop_relayout() {
    return keep(game->view.relayout());
}

#ifdef WORDROP_WEB_TESTING
// For the browser suite, as the desktop's tests do through the same seam: the n-th
// operation on the form from now fails with a run-time error. Only the page built for the
// suite has it.
EMSCRIPTEN_KEEPALIVE void wordrop_fail_operation(int n) {
    game->form1.form().faults().failOperation(static_cast<std::uint64_t>(n));
}
#endif
}
