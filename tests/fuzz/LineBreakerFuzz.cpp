// SPDX-License-Identifier: MIT
// Any caption in any box: the layout stays inside the caption and covers only the box.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "window/LineBreaker.h"

namespace {

using wordrop::window::Alignment;
using wordrop::window::LaidLine;
using wordrop::window::TextMeasure;

// Widths that vary by byte, with zero-width bytes too, as real fonts have.
class ByteWidths : public TextMeasure {
  public:
    double advance(std::string_view text) const override {
        double width = 0;
        for (unsigned char c : text) width += (c & 0xC0) == 0x80 ? 0 : (c % 5) * 1.5;
        return width;
    }
    double lineHeight() const override { return 7; }
};

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const double width = data[0] / 4.0;
    const double height = data[1] / 2.0;
    const Alignment alignment = data[2] % 2 ? Alignment::Centre : Alignment::Left;
    const std::string_view caption(reinterpret_cast<const char*>(data + 3), size - 3);

    const ByteWidths measure;
    const auto lines = wordrop::window::layOutCaption(caption, width, height, alignment, measure);

    const char* previousEnd = caption.data();
    double previousY = -1;
    for (const LaidLine& line : lines) {
        // Each line is a piece of the caption, in order, never overlapping the last.
        check(line.text.data() >= previousEnd);
        check(line.text.data() + line.text.size() <= caption.data() + caption.size());
        previousEnd = line.text.data() + line.text.size();
        // Lines go down the box one at a time and start inside it, but for a centred word
        // wider than the box, which is cut at both edges and covers it.
        check(line.y > previousY && line.y < height);
        previousY = line.y;
        if (line.x >= 0) {
            check(line.x <= width);
        } else {
            check(alignment == Alignment::Centre &&
                  line.x + measure.advance(line.text) >= width - 1e-9);
        }
    }
    check(lines.size() <= static_cast<std::size_t>(height / measure.lineHeight()) + 1);
    return 0;
}
