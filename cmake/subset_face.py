#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Splits a face into WOFF2 subsets by Unicode range, so that a page fetches only the glyphs
# it draws: a Latin subset, which holds everything the game writes itself, and the rest of
# the face, which the browser fetches only for text that needs it (a typed guess).
# Writes OUT_DIR/STEM.latin.woff2, with --rest OUT_DIR/STEM.rest.woff2, and their
# @font-face rules to CSS; text waiting for a face is shown at once in a stand-in
# (font-display: swap), and the page lays it out again when the face arrives.
# Usage: subset_face.py SOURCE OUT_DIR STEM FAMILY WEIGHT LICENCE CSS [--rest]
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# The Latin range the usual web font services split at.
LATIN = [(0x0000, 0x00FF), (0x0131, 0x0131), (0x0152, 0x0153), (0x02BB, 0x02BC),
         (0x02C6, 0x02C6), (0x02DA, 0x02DA), (0x02DC, 0x02DC), (0x2000, 0x206F),
         (0x2074, 0x2074), (0x20AC, 0x20AC), (0x2122, 0x2122), (0x2191, 0x2191),
         (0x2193, 0x2193), (0x2212, 0x2212), (0x2215, 0x2215), (0xFEFF, 0xFEFF),
         (0xFFFD, 0xFFFD)]


def in_latin(code):
    return any(low <= code <= high for low, high in LATIN)


def ranges(codes):
    """Sorted code points as CSS unicode-range terms."""
    terms = []
    codes = sorted(codes)
    start = previous = codes[0]
    for code in codes[1:] + [None]:
        if code is not None and code == previous + 1:
            previous = code
            continue
        terms.append(f"U+{start:X}" if start == previous else f"U+{start:X}-{previous:X}")
        if code is not None:
            start = previous = code
    return ", ".join(terms)


def write_subset(source, codes, output):
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]  # copyright, licence and its address stay in the face
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.layout_features = ["*"]
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=codes)
    subsetter.subset(font)
    font.flavor = "woff2"
    font.save(output)


def main():
    source, out_dir, stem, family, weight, licence, css = sys.argv[1:8]
    with_rest = "--rest" in sys.argv[8:]
    cmap = set(TTFont(source).getBestCmap())
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
                     f"unicode-range: {ranges(codes)}; }}\n")
    with open(css, "w", encoding="utf-8") as out:
        out.write(f"/* {family} {weight}: under fonts/{licence} */\n")
        out.writelines(rules)


if __name__ == "__main__":
    main()
