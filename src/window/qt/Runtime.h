#pragma once

#include <QApplication>
#include <memory>

namespace wordrop::view {

// The application object, named for the desktop, with Qt's messages reported as the
// program's own. A display that cannot be opened, or is lost, ends the program with one
// line on stderr and a failure status, never a core dump.
class Runtime {
  public:
    Runtime(int& argc, char** argv);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    int exec();

  private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace wordrop::view
