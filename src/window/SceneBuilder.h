// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "window/Form.h"
#include "window/LineBreaker.h"
#include "window/Scene.h"

namespace wordrop::window {

// Whether a sighted player can read a label's text: it is shown, not blank, not drawn in
// its own background's colour, and not hidden behind the controls in front of it.
[[nodiscard]] bool canBeRead(const Form& form, ControlId id);

// Makes scenes of one form. Captions are laid out once and kept until their label
// changes, or until the faces do.
class SceneBuilder {
  public:
    SceneBuilder(const Form& form, const FontMeasure& measure);

    [[nodiscard]] Scene build(double scale) const;
    // One text box or button alone, as it stands in the scene.
    [[nodiscard]] WidgetSlot widget(ControlId id, double scale) const;
    void forget(ControlId id);
    void forgetAll();

  private:
    const std::vector<LaidLine>& linesOf(ControlId id) const;
    void addDrawing(Scene& scene) const;
    void addControl(Scene& scene, ControlId id) const;
    void addLabel(Scene& scene, ControlId id) const;
    void addReading(Scene& scene) const;
    Readable readableOf(const Scene& scene, ControlId id) const;
    std::string wordsOf(ControlId id) const;

    const Form& form_;
    const FontMeasure& measure_;
    mutable std::vector<std::optional<std::vector<LaidLine>>> lines_;
};

}  // namespace wordrop::window
