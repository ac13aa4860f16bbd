// SPDX-License-Identifier: MIT
#include "window/qt/Application.h"

#include "window/qt/WaylandToplevel.h"
#include "window/qt/WindowIcon.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace wordrop::window::qt {

namespace {

constexpr const char* kProgram = "wordrop";

// While the application starts, Qt's complaints about the display are kept back, so a
// failure to start comes out as one line instead of a page of advice.
bool starting = true;
std::string firstStartupWarning;

void report(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::string text = message.toLocal8Bit().toStdString();
    if (type == QtFatalMsg) {
        const std::string reason = firstStartupWarning.empty() ? text : firstStartupWarning;
        std::fprintf(stderr, "%s: %s: %s\n", kProgram,
                     starting ? "cannot open the display" : "fatal error",
                     reason.substr(0, reason.find('\n')).c_str());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (type == QtDebugMsg) return;
    if (starting) {
        if (firstStartupWarning.empty()) firstStartupWarning = text;
        return;
    }
    std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
}

}  // namespace

Application::Application(int& argc, char** argv) {
    qInstallMessageHandler(report);
    QApplication::setApplicationName(QString::fromLatin1(kProgram));
    QApplication::setDesktopFileName(QStringLiteral("io.github.wordrop.Wordrop"));
    app_ = std::make_unique<QApplication>(argc, argv);
    starting = false;
    QApplication::setWindowIcon(windowIcon());
    if (!firstStartupWarning.empty())
        std::fprintf(stderr, "%s: %s\n", kProgram, firstStartupWarning.c_str());
}

Application::~Application() = default;

int Application::exec() {
    const int status = QApplication::exec();
    // Qt 6.4's Wayland client can hang for good while it stops its event threads, after the
    // window is gone. The game has nothing to save, so on Wayland the process ends here.
    if (onWayland()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

}  // namespace wordrop::window::qt
