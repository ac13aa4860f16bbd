// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPushButton>
#include <optional>

namespace wordrop::window::qt {

// A command button drawn in its own background colour, as a graphical-style button is:
// a raised face that sinks while pressed, the caption with its access key underlined.
class GraphicalButton : public QPushButton {
  public:
    explicit GraphicalButton(QWidget* parent = nullptr);
    void setColours(QColor face, QColor text);
    // The caption with its access key's letter underlined. The window's key table presses
    // the button, so Qt grabs no shortcut of its own for it.
    void setCaption(const QString& shown, std::optional<qsizetype> accessKey);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor face_;
    QColor text_;
};

}  // namespace wordrop::window::qt
