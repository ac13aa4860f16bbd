// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <memory>

namespace wordrop::window::qt {

// From the first line of main on: memory that runs out ends the program with one line on
// stderr and a failure status, never an abort or a hang. That covers an allocation that
// fails in new or in Qt's containers, wherever it throws, and a thread that Qt cannot
// start, which it reports only as a warning before waiting for that thread for good (its
// D-Bus thread, which the accessibility bridge needs to start).
void endWhenMemoryRunsOut();

// The application object, named for the desktop, with Qt's messages reported as the
// program's own. A display that cannot be opened, or is lost, ends the program with one
// line on stderr and a failure status, never a core dump.
class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int exec();

  private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace wordrop::window::qt
