// SPDX-License-Identifier: MIT
// Pictures are compared in the page, which decodes them: this puts window.pixelsOf(address)
// there, a picture's ImageData, for the evaluations that follow until the page reloads.
export function decodeInPage(page) {
  return page.evaluate(() => {
    window.pixelsOf ??= async (address) => {
      const image = new Image();
      image.src = address;
      await image.decode();
      const context = new OffscreenCanvas(image.width, image.height)
        .getContext("2d", { willReadFrequently: true });
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height);
    };
  });
}
