// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <memory>

namespace wordrop::window::qt {

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
