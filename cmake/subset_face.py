#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Splits a face into WOFF2 subsets by Unicode range, so that a page fetches only the glyphs
# it draws: a Latin subset, which holds everything the game writes itself, and the rest of
# the face, which the browser fetches only for text that needs it (a typed guess).
# Writes OUT_DIR/STEM.latin.woff2, with --rest OUT_DIR/STEM.rest.woff2, and their
# @font-face rules to CSS; text waiting for a face is shown at once in a stand-in
# (font-display: swap), and the page lays it out again when the face arrives.
# Each rule states the face's own ascent, descent and line gap, which every browser then
# uses as they are. Until the face arrives, or if it fails, FAMILY stand-in stands in for
# it: a face most systems have, scaled to the face's widths and given its ascent and
# descent, so that no caption breaks or is cut elsewhere. METRICS gets the face's metrics
# for the page's program (WebView.cpp), and METRICS.tables its characters' widths, so that
# text is laid out and placed alike in every browser.
# Usage: subset_face.py SOURCE OUT_DIR STEM FAMILY WEIGHT LICENCE CSS METRICS STAND_IN
#                       LOCAL_NAMES [--rest]
# STAND_IN is the stand-in's file here, LOCAL_NAMES the names (comma-separated) of it or
# of faces with its very widths, as a browser finds them on the visitor's system.
# The face's characters come from fontconfig's fc-query, the subsets from harfbuzz's
# hb-subset, and WOFF2 from woff2_compress: Debian's fontconfig, libharfbuzz-bin and woff2.
import json
import os
import re
import struct
import subprocess
import sys
import tempfile

# The Latin range the usual web font services split at.
LATIN = [(0x0000, 0x00FF), (0x0131, 0x0131), (0x0152, 0x0153), (0x02BB, 0x02BC),
         (0x02C6, 0x02C6), (0x02DA, 0x02DA), (0x02DC, 0x02DC), (0x2000, 0x206F),
         (0x2074, 0x2074), (0x20AC, 0x20AC), (0x2122, 0x2122), (0x2191, 0x2191),
         (0x2193, 0x2193), (0x2212, 0x2212), (0x2215, 0x2215), (0xFEFF, 0xFEFF),
         (0xFFFD, 0xFFFD)]


def in_latin(code):
    return any(low <= code <= high for low, high in LATIN)


def characters(source):
    """The code points the face has, as fontconfig reads them ("20-7e a0-ff ...")."""
    charset = subprocess.run(["fc-query", "--format=%{charset}", source], check=True,
                             capture_output=True, text=True).stdout.split()
    codes = []
    for term in charset:
        low, _, high = term.partition("-")
        codes.extend(range(int(low, 16), int(high or low, 16) + 1))
    if not codes:
        sys.exit(f"{source}: fc-query found no characters")
    return codes


def runs(codes):
    """Sorted code points as runs of neighbours: (first, last)."""
    result = []
    for code in sorted(codes):
        if result and code == result[-1][1] + 1:
            result[-1] = (result[-1][0], code)
        else:
            result.append((code, code))
    return result


def ranges(codes):
    """Sorted code points as CSS unicode-range terms."""
    return ", ".join(f"U+{a:X}" if a == b else f"U+{a:X}-{b:X}" for a, b in runs(codes))


def write_subset(source, codes, output):
    unicodes = ",".join(f"{a:x}" if a == b else f"{a:x}-{b:x}" for a, b in runs(codes))
    with tempfile.TemporaryDirectory() as work:
        face = os.path.join(work, "face.ttf")
        # Copyright, licence and its address stay in the face.
        subprocess.run(["hb-subset", "--unicodes=" + unicodes, "--name-IDs=*",
                        "--name-languages=*", "--layout-features=*", "--notdef-outline",
                        "--output-file=" + face, source], check=True)
        subprocess.run(["woff2_compress", face], check=True, stdout=subprocess.DEVNULL)
        os.replace(os.path.join(work, "face.woff2"), output)


def tables(source):
    """The face's tables by tag, from its (TrueType or OpenType) file."""
    with open(source, "rb") as file:
        data = file.read()
    count = struct.unpack(">H", data[4:6])[0]
    found = {}
    for n in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * n:28 + 16 * n])
        found[tag.decode("latin-1")] = data[offset:offset + length]
    return found


def metrics(source):
    """Units per em, ascent, descent and line gap, as browsers read them: the typographic
    metrics where the face asks for them (USE_TYPO_METRICS), else the horizontal header's."""
    face = tables(source)
    units = struct.unpack(">H", face["head"][18:20])[0]
    ascent, descent, gap = struct.unpack(">hhh", face["hhea"][4:10])
    os2 = face["OS/2"]
    if struct.unpack(">H", os2[62:64])[0] & 0x80:
        ascent, descent, gap = struct.unpack(">hhh", os2[68:74])
    return units, ascent, -descent, gap


def advances(source, texts):
    """The width of each text as harfbuzz shapes it, in the face's units: one run of
    hb-shape for them all, a text a line."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt") as lines:
        lines.write("".join(text + "\n" for text in texts))
        lines.flush()
        shaped = subprocess.run(["hb-shape", "--output-format=json", "--no-glyph-names",
                                 "--text-file=" + lines.name, source], check=True,
                                capture_output=True, text=True).stdout.splitlines()
    if len(shaped) != len(texts):
        sys.exit(f"{source}: hb-shape gave {len(shaped)} widths for {len(texts)} texts")
    return [sum(glyph["ax"] for glyph in json.loads(line)) for line in shaped]


def advance(source, text):
    return advances(source, [text])[0]


def widths_table(source, codes, name):
    """Every character's advance, and each pair of printable ASCII characters (space too)
    that kerning or a ligature draws narrower or wider than its two advances, as C++ tables:
    what the page lays text out by, so that it breaks and stands alike in every browser."""
    chars = [chr(code) for code in codes if code >= 0x20 and not 0x7F <= code <= 0x9F
             and code not in (0x2028, 0x2029)]
    single = dict(zip(chars, advances(source, chars)))
    ascii_chars = [c for c in chars if " " <= c <= "~"]
    pairs = [a + b for a in ascii_chars for b in ascii_chars]
    kerned = [(pair, width - single[pair[0]] - single[pair[1]])
              for pair, width in zip(pairs, advances(source, pairs))
              if width != single[pair[0]] + single[pair[1]]]
    rows = ", ".join(f"{{{ord(c)}, {w}}}" for c, w in single.items())
    kerns = ", ".join(f"{{{ord(p[0])}, {ord(p[1])}, {d}}}" for p, d in kerned)
    return (f"constexpr std::array<GlyphAdvance, {len(single)}> k{name}Advances{{{{{rows}}}}};\n"
            f"constexpr std::array<KernPair, {len(kerned)}> k{name}Pairs{{{{{kerns}}}}};\n")


# The widths a stand-in is scaled to: the letters, digits and signs of Latin text.
SAMPLE = "The quick brown fox jumps over the lazy dog. PACK MY BOX WITH FIVE DOZEN JUGS! 0123456789?"


def percent(value):
    return f"{value * 100:.4f}%"


def overrides(units, ascent, descent, gap, scale=1.0):
    # size-adjust scales the overrides too: they are given here before it.
    return (f"ascent-override: {percent(ascent / units / scale)}; "
            f"descent-override: {percent(descent / units / scale)}; "
            f"line-gap-override: {percent(gap / units / scale)};")


def stand_in(source, family, weight, stand_in_file, local_names):
    units, ascent, descent, gap = metrics(source)
    their_units = metrics(stand_in_file)[0]
    scale = (advance(source, SAMPLE) / units) / (advance(stand_in_file, SAMPLE) / their_units)
    sources = ", ".join(f'local("{name}")' for name in local_names.split(","))
    return (f'@font-face {{ font-family: "{family} stand-in"; font-weight: {weight}; '
            f"src: {sources}; size-adjust: {percent(scale)}; "
            f"{overrides(units, ascent, descent, gap, scale)} }}\n")


def main():
    (source, out_dir, stem, family, weight, licence, css, metrics_file, stand_in_file,
     local_names) = sys.argv[1:11]
    with_rest = "--rest" in sys.argv[11:]
    units, ascent, descent, gap = metrics(source)
    cmap = characters(source)
    latin = [code for code in cmap if in_latin(code)]
    rest = [code for code in cmap if not in_latin(code)]
    subsets = [("latin", latin)] + ([("rest", rest)] if with_rest and rest else [])
    if with_rest and not rest:
        sys.exit(f"{source} has nothing outside the Latin range")
    rules = []
    for name, codes in subsets:
        file = f"{stem}.{name}.woff2"
        write_subset(source, codes, f"{out_dir}/{file}")
        rules.append(f'@font-face {{ font-family: "{family}"; font-weight: {weight}; '
                     f'src: url("fonts/{file}") format("woff2"); font-display: swap; '
                     f"{overrides(units, ascent, descent, gap)} "
                     f"unicode-range: {ranges(codes)}; }}\n")
    rules.append(stand_in(source, family, weight, stand_in_file, local_names))
    with open(css, "w", encoding="utf-8") as out:
        out.write(f"/* {family} {weight}: under fonts/{licence} */\n")
        out.writelines(rules)
    name = "".join(part[:1].upper() + part[1:] for part in re.split(r"[^0-9A-Za-z]+", stem))
    with open(metrics_file + ".tables", "w", encoding="utf-8") as out:
        out.write(widths_table(source, latin, name))
    with open(metrics_file, "w", encoding="utf-8") as out:
        out.write(f'{{"{family}", {weight}, {units}, {ascent}, {descent}, '
                  f"{{k{name}Advances, k{name}Pairs}}}},\n")


if __name__ == "__main__":
    main()
