// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wordrop::window {

// A change to a text as an editor makes it: from a byte on, some bytes give way to others.
// A key in a long text is a small splice, where the whole text would cross every time.
struct TextSplice {
    std::size_t from = 0;
    std::size_t removed = 0;
    std::string inserted;
};

[[nodiscard]] constexpr bool fits(const TextSplice& splice, std::string_view text) {
    return splice.from <= text.size() && splice.removed <= text.size() - splice.from;
}

// The splice of a UTF-8 text that an editor counting UTF-16 units tells of as the units it
// kept in front and at the back, and how many it removed between them. It is found from
// the nearer end, so that a key at either end of a long text costs the same as in a short
// one; the units at the far end are the editor's word. Nothing where the units do not fit
// the text or split one of its characters.
[[nodiscard]] std::optional<TextSplice> spliceOfUnits(std::string_view text, std::size_t front,
                                                      std::size_t removed, std::size_t back,
                                                      std::string inserted);

}  // namespace wordrop::window
