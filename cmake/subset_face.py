#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Splits a face into WOFF2 subsets by Unicode range, so that a page fetches only the glyphs
# it draws: a Latin subset, which holds everything the game writes itself, and the rest of
# the face, which the browser fetches only for text that needs it (a typed guess).
# Writes OUT_DIR/STEM.latin.woff2, with --rest OUT_DIR/STEM.rest.woff2, and their
# @font-face rules to CSS; text waiting for a face is shown at once in a stand-in
# (font-display: swap), and the page lays it out again when the face arrives.
# Usage: subset_face.py SOURCE OUT_DIR STEM FAMILY WEIGHT LICENCE CSS [--rest]
# The face's characters come from fontconfig's fc-query, the subsets from harfbuzz's
# hb-subset, and WOFF2 from woff2_compress: Debian's fontconfig, libharfbuzz-bin and woff2.
import os
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


def main():
    source, out_dir, stem, family, weight, licence, css = sys.argv[1:8]
    with_rest = "--rest" in sys.argv[8:]
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
                     f"unicode-range: {ranges(codes)}; }}\n")
    with open(css, "w", encoding="utf-8") as out:
        out.write(f"/* {family} {weight}: under fonts/{licence} */\n")
        out.writelines(rules)


if __name__ == "__main__":
    main()
