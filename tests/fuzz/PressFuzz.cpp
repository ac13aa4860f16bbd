// SPDX-License-Identifier: MIT
// Any bytes typed and pressed: the rules of a guess hold and nothing fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "game/Form1.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

const std::set<std::string> kWord{"p", "r", "o", "g", "a", "m", "i", "n"};

}  // namespace

// The input is split at 0xFF bytes into the texts of successive presses.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wordrop::game::Form1 game;
    wordrop::window::Form& form = game.form();
    const auto box = *form.find("txtLetter");
    const auto ok = *form.find("cmdOK");
    check(form.clickAt({4500, 4000}).status == wordrop::window::EventStatus::Handled);

    std::set<std::string> counted;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\xff', start);
        if (end == std::string::npos) end = input.size();
        const std::string text = input.substr(start, end - start);
        start = end + 1;

        const bool playing = game.screen() == wordrop::game::Screen::Playing;
        const int wrongBefore = game.wrongCount();
        form.typeInto(box, text);
        const auto result = form.click(ok);
        check(result.status != wordrop::window::EventStatus::Failed);
        if (!playing) continue;
        if (kWord.count(text)) {
            counted.insert(text);
        } else {
            check(game.wrongCount() == wrongBefore + 1);
            check(form.state(*form.find("lblWrong", wrongBefore)).caption == text);
        }
        check(game.rightCount() == static_cast<int>(counted.size()));
        check(form.state(box).text.empty());
    }
    return 0;
}
