// SPDX-License-Identifier: MIT
#include "window/LineBreaker.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "window/Utf8.h"

namespace wordrop::window {

namespace {

// Long words are measured a piece at a time, and only until they are known not to fit.
constexpr std::size_t kMeasureChunk = 64;
// A centred word wider than its label is measured whole, in larger pieces.
constexpr std::size_t kCentreChunk = 256;

// The end of the next piece of a long word, kept off the middle of a UTF-8 sequence.
std::size_t pieceEnd(std::string_view word, std::size_t from, std::size_t chunk = kMeasureChunk) {
    const std::size_t limit = std::min(word.size(), from + chunk);
    std::size_t end = limit;
    while (end > from && end < word.size() && isContinuationByte(word[end])) --end;
    return end == from ? limit : end;
}

struct WordWidth {
    double width = 0;
    std::size_t measuredBytes = 0;  // where measuring stopped; past it nothing can be seen
};

WordWidth measureWord(std::string_view word, double room, const TextMeasure& measure) {
    if (word.size() <= kMeasureChunk) return {measure.advance(word), word.size()};
    WordWidth result;
    while (result.measuredBytes < word.size() && result.width <= room) {
        const std::size_t end = pieceEnd(word, result.measuredBytes);
        result.width +=
            measure.advance(word.substr(result.measuredBytes, end - result.measuredBytes));
        result.measuredBytes = end;
    }
    return result;
}

// Where the word at `pos` ends: the next space or line break. memchr keeps a megabyte
// word to a fast scan.
std::size_t wordEnd(std::string_view text, std::size_t pos) {
    std::size_t end = text.size();
    for (char stop : {' ', '\n', '\r'}) {
        const void* found = std::memchr(text.data() + pos, stop, end - pos);
        if (found) end = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    }
    return end;
}

std::size_t lineBreakLength(std::string_view text, std::size_t pos) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return 2;
    return 1;
}

// One line being filled from `start`: how far it reaches and how wide it is so far.
struct LineFill {
    std::size_t start = 0;
    std::size_t end = 0;
    double width = 0;
    // Where the last word ends: spaces after it hang past the line and take no room.
    std::optional<std::size_t> wordsEnd;
    double wordsWidth = 0;
    // A word wider than the whole label, alone on its line: where it ends.
    std::optional<std::size_t> overlongEnd;

    bool empty() const { return end == start; }
    LineFill trimmed() const {
        if (!wordsEnd) return *this;
        LineFill line = *this;
        line.end = *wordsEnd;
        line.width = wordsWidth;
        return line;
    }
};

// Fills one line from `pos` and moves `pos` to where the next line begins.
LineFill fillLine(std::string_view text, std::size_t& pos, double room, double space,
                  const TextMeasure& measure) {
    LineFill line{pos, pos, 0};
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\n' || c == '\r') {
            pos += lineBreakLength(text, pos);
            return line.trimmed();
        }
        if (c == ' ') {
            if (!line.empty() && line.width + space > room) {
                ++pos;  // the line breaks at this space
                return line.trimmed();
            }
            line.width += space;
            line.end = ++pos;
            continue;
        }
        const std::size_t end = wordEnd(text, pos);
        const WordWidth word = measureWord(text.substr(pos, end - pos), room - line.width, measure);
        if (line.width + word.width <= room) {
            line.width += word.width;
            line.end = pos = end;
            line.wordsEnd = line.end;
            line.wordsWidth = line.width;
            continue;
        }
        if (!line.empty()) return line.trimmed();  // the word starts the next line
        // A word wider than the whole label stands alone and is cut off at the right edge;
        // the space after it is where the line breaks.
        line.width = word.width;
        line.end = pos + word.measuredBytes;
        line.overlongEnd = end;
        pos = end;
        if (pos < text.size() && text[pos] == ' ') ++pos;
        return line;
    }
    return line.trimmed();
}

// The part of a word wider than the label that shows when it is centred, cut at both
// edges: the whole word is measured to find its middle, a piece at a time, and only the
// pieces that reach into the label are kept.
LaidLine centredSlice(std::string_view word, double width, const TextMeasure& measure) {
    struct Piece {
        std::size_t start, end;
        double left;
    };
    std::vector<Piece> pieces;
    double total = 0;
    for (std::size_t from = 0; from < word.size();) {
        const std::size_t end = pieceEnd(word, from, kCentreChunk);
        pieces.push_back({from, end, total});
        total += measure.advance(word.substr(from, end - from));
        from = end;
    }
    const double cut = (total - width) / 2;  // what is cut off at either edge
    std::size_t first = 0;
    while (first + 1 < pieces.size() && pieces[first + 1].left <= cut) ++first;
    std::size_t last = first;
    while (last + 1 < pieces.size() && pieces[last + 1].left < cut + width) ++last;
    return {word.substr(pieces[first].start, pieces[last].end - pieces[first].start),
            pieces[first].left - cut, 0};
}

}  // namespace

std::vector<LaidLine> layOutCaption(std::string_view caption, double width, double height,
                                    Alignment alignment, const TextMeasure& measure) {
    std::vector<LaidLine> lines;
    const double lineHeight = measure.lineHeight();
    if (width <= 0 || height <= 0 || lineHeight <= 0) return lines;
    const double space = measure.advance(" ");
    std::size_t pos = 0;
    for (double y = 0; pos < caption.size() && y < height; y += lineHeight) {
        const LineFill line = fillLine(caption, pos, width, space, measure);
        if (alignment == Alignment::Centre && line.overlongEnd) {
            LaidLine slice = centredSlice(
                caption.substr(line.start, *line.overlongEnd - line.start), width, measure);
            slice.y = y;
            lines.push_back(slice);
            continue;
        }
        const double x = alignment == Alignment::Centre ? (width - line.width) / 2 : 0;
        lines.push_back({caption.substr(line.start, line.end - line.start), x, y});
    }
    return lines;
}

}  // namespace wordrop::window
