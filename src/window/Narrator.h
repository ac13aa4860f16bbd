// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace wordrop::window {

// Tells a player who cannot see the window what each input changed on it. The view calls
// it after every input it hands the form, and speaks what it returns.
class Narrator {
  public:
    virtual ~Narrator() = default;
    // The player typed into a text box: nothing to tell, but the text is now known.
    virtual void typed() = 0;
    // A click, or the key that stands for one, has run: what it changed, in a sentence or
    // two, or nothing where nothing that can be seen has changed.
    [[nodiscard]] virtual std::string clicked() = 0;
};

}  // namespace wordrop::window
