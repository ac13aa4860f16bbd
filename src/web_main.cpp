// SPDX-License-Identifier: MIT
// The game in a web page: Form1 and its narrator behind the browser's view, reached from
// the page script through these functions. Each returns JSON that stays valid until the
// next call.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <string>

#include "game/Form1.h"
#include "game/Narration.h"
#include "window/web/WebView.h"

namespace {

struct Game {
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

// The scene with every caption laid out again, for when a face the page draws with arrives
// after the captions were measured with a stand-in.
EMSCRIPTEN_KEEPALIVE const char* wordrop_relayout() {
    return keep(game->view.relayout());
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_press(double x, double y) {
    return keep(game->view.press(x, y));
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_release(double x, double y) {
    return keep(game->view.release(x, y));
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_click_control(int id) {
    return keep(game->view.clickControl(id));
}

// 0: the key for a background click (F2), 1: the key for a label's click (Return, Space).
EMSCRIPTEN_KEEPALIVE const char* wordrop_press_key(int key) {
    return keep(game->view.pressKey(key == 0 ? wordrop::window::KeyClick::Background
                                             : wordrop::window::KeyClick::Label));
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_press_default_button() {
    return keep(game->view.pressDefaultButton());
}

EMSCRIPTEN_KEEPALIVE const char* wordrop_type(int id, const char* text) {
    return keep(game->view.type(id, text));
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
