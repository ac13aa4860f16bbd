// SPDX-License-Identifier: MIT
#include "window/qt/ErrorReport.h"

#include <QMessageBox>
#include <iostream>

namespace wordrop::window::qt {

ErrorReporter messageBoxReporter(QWidget* parent) {
    return [parent](const std::string& error) {
        std::cerr << "wordrop: " << error << std::endl;
        QMessageBox::critical(parent, QStringLiteral("Wordrop"), QString::fromStdString(error));
    };
}

}  // namespace wordrop::window::qt
