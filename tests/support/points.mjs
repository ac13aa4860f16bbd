// SPDX-License-Identifier: MIT
// Places of Form1's window worth a click, in twips, as every suite names them; the C++
// suites have the same in Points.h.
export const TWIPS_PER_PIXEL = 15;  // a 96-dpi screen's
export const BACKGROUND = [4500, 4000];  // the background, where no control is
export const BANNER = [3000, 3000];  // a banner, where it shows
export const STRIP = [10230, 4000];  // the lose banner's free strip, 30 twips at its right
