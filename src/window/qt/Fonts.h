// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <utility>
#include <vector>

#include "window/Scene.h"

namespace wordrop::window::qt {

// The Qt font for a face of a scene drawn at the scale given: Qt sizes fonts in logical
// pixels and maps them to the screen itself.
QFont qtFont(const window::Font& font, double scale = 1);

// Text measured with the fonts Qt draws with. Each face is loaded when first measured and
// kept.
class QtFontMeasure final : public window::FontMeasure {
  public:
    double advance(const window::Font& font, std::string_view utf8) const override;
    double ascent(const window::Font& font) const override;
    double lineHeight(const window::Font& font) const override;

  private:
    const QFontMetricsF& metrics(const window::Font& font) const;

    mutable std::vector<std::pair<window::Font, QFontMetricsF>> faces_;
};

}  // namespace wordrop::window::qt
