// SPDX-License-Identifier: MIT
#include "window/qt/ErrorReport.h"

#include <QMessageBox>
#include <iostream>

namespace wordrop::window::qt {

ErrorReporter messageBoxReporter(QWidget* parent) {
    return [parent](const window::RuntimeError& error) {
        std::cerr << "wordrop: run-time error: " << error.what() << std::endl;
        QMessageBox::critical(
            parent, QStringLiteral("Wordrop"),
            QStringLiteral("Run-time error:\n%1").arg(QString::fromUtf8(error.what())));
    };
}

}  // namespace wordrop::window::qt
