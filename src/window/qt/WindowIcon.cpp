// SPDX-License-Identifier: MIT
#include "window/qt/WindowIcon.h"

#include <QImage>
#include <QPixmap>
#include <array>
#include <vector>

namespace wordrop::window::qt {

namespace {

struct IconPixels {
    int size;
    std::vector<unsigned char> rgba;
};

// The icon's SVG rendered at build time, as raw RGBA, where the build had the tools.
const std::vector<IconPixels>& iconPixels() {
    static const std::vector<IconPixels> pixels{
#include "WindowIcon.inc"
    };
    return pixels;
}

}  // namespace

QIcon windowIcon() {
    // A build without the pixels takes the icon that the desktop entry names.
    if (iconPixels().empty()) return QIcon::fromTheme(QStringLiteral("io.github.wordrop.Wordrop"));
    QIcon icon;
    for (const IconPixels& image : iconPixels()) {
        icon.addPixmap(QPixmap::fromImage(QImage(image.rgba.data(), image.size, image.size,
                                                 image.size * 4, QImage::Format_RGBA8888)));
    }
    return icon;
}

}  // namespace wordrop::window::qt
