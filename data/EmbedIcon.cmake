# SPDX-License-Identifier: MIT
# Writes the icon's raw RGBA pixels as a C++ array: the window's icon then needs no
# image decoder, and so loads no image plugins, at start-up.
# -D RAW=<file> -D SIZE=<pixels> -D OUT=<file.inc>
file(READ ${RAW} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUT} "// Generated from the icon's SVG; do not edit.\n{${SIZE}, {${bytes}}},\n")
