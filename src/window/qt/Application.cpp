// SPDX-License-Identifier: MIT
#include "window/qt/Application.h"

#include <QAbstractEventDispatcher>

#include "window/qt/WaylandToplevel.h"
#include "window/qt/WindowIcon.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__)
#define WORDROP_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WORDROP_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef WORDROP_ADDRESS_SANITIZER
#define WORDROP_ADDRESS_SANITIZER 0
#endif

namespace wordrop::window::qt {

namespace {

constexpr const char* kProgram = "wordrop";

// One line and the status, by write(2) alone: with no memory left, nothing on the way out
// may need any, and nothing else is run.
[[noreturn]] void outOfMemory(std::string_view detail = {}) {
    constexpr std::string_view kLine = "wordrop: out of memory";
    std::string_view parts[] = {kLine, detail.empty() ? "" : ": ", detail, "\n"};
    for (const std::string_view part : parts) {
        if (!part.empty() && ::write(STDERR_FILENO, part.data(), part.size()) < 0) break;
    }
    std::_Exit(EXIT_FAILURE);
}

// An exception that nothing caught: std::bad_alloc from Qt's containers, which throw it
// rather than call the new handler, or anything else; in place of std::abort.
[[noreturn]] void endUncaught() {
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            outOfMemory();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: fatal error: %s\n", kProgram, error.what());
        } catch (...) {
            std::fprintf(stderr, "%s: fatal error: an unknown exception\n", kProgram);
        }
    } else {
        std::fprintf(stderr, "%s: fatal error\n", kProgram);
    }
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

// Exceptions must not cross Qt's event loop, which would report them at length and abort:
// an event handler that runs out of memory ends the program here.
class GameApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            outOfMemory();
        }
    }
};

// Whether a failure was for want of memory, where what failed does not say: a plugin and
// the libraries it brings take some megabytes of address space, and where even a
// reservation of that size fails, memory is what was missing.
bool littleAddressSpaceLeft() {
    constexpr std::size_t kPluginRoom = 32 << 20;
    void* room = ::mmap(nullptr, kPluginRoom, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (room == MAP_FAILED) return true;
    ::munmap(room, kPluginRoom);
    return false;
}

// While the application starts, Qt's complaints about the display are kept back, so a
// failure to start comes out as one line instead of a page of advice.
bool starting = true;
std::string firstStartupWarning;

void report(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::string text = message.toLocal8Bit().toStdString();
    // Where Qt finds no memory for something it can go without, it warns and goes on: the
    // window's pixels (shared with the X server), its connection to the server (which
    // libxcb closes with error 3), a thread (QThread::start says so and returns, and the
    // D-Bus connection then waits for the thread that never ran, so the window would never
    // paint). The game cannot go on without any of them.
    constexpr std::string_view kNoThread = "QThread::start: Thread creation error";
    if (text.starts_with(kNoThread)) {
        outOfMemory("a thread could not start" + text.substr(kNoThread.size()));
    }
    if (text.find(std::strerror(ENOMEM)) != std::string::npos ||
        text.starts_with("The X11 connection broke (error 3)")) {
        outOfMemory(text.substr(0, text.find('\n')));
    }
    if (type == QtFatalMsg) {
        const std::string reason = firstStartupWarning.empty() ? text : firstStartupWarning;
        std::fprintf(stderr, "%s: %s%s: %s\n", kProgram,
                     // Qt says only that it could not load its platform plugin.
                     starting && littleAddressSpaceLeft() ? "out of memory: " : "",
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

// Some of the C libraries under Qt (libX11's locale tables, fontconfig) read through the
// null pointer that a failed malloc returns, or abort. Where that happens with the address
// space all but full, it was memory that ran out; any other crash keeps its signal and its
// core dump. The handler runs on a stack of its own, made before any memory can be short.
#if !WORDROP_ADDRESS_SANITIZER  // which reports crashes itself
void endCrashWithoutMemory(int signal) {
    if (littleAddressSpaceLeft()) outOfMemory();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void catchCrashesWithoutMemory() {
    static char stack[64 * 1024];
    stack_t alternate{};
    alternate.ss_sp = stack;
    alternate.ss_size = sizeof stack;
    if (::sigaltstack(&alternate, nullptr) != 0) return;
    struct sigaction action {};
    action.sa_handler = endCrashWithoutMemory;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGABRT}) ::sigaction(signal, &action, nullptr);
}
#else
void catchCrashesWithoutMemory() {}
#endif

// Qt's X11 connection can fail half made for want of memory, and then waits for good for
// its event thread, which sits on a socket that will never speak; a library can wait so
// too. Where the address space is limited (ulimit -v), an alarm every two seconds looks
// whether the main thread is stuck: neither waiting for events nor through the event loop
// since the last look. If so with the address space all but full, memory is what ran out.
// With no limit, the alarm stops once the application has started.
constexpr unsigned kCheckSeconds = 2;
volatile std::sig_atomic_t waitingForEvents = 0;
volatile std::sig_atomic_t turns = 0;
std::sig_atomic_t turnsLastLooked = -1;
bool limitedAddressSpace = false;

void lookForProgress(int) {
    const bool stuck = !waitingForEvents && turns == turnsLastLooked;
    turnsLastLooked = turns;
    if (stuck && littleAddressSpaceLeft()) outOfMemory("the game stopped answering");
    ::alarm(kCheckSeconds);
}

void watchProgress(bool on) {
    struct sigaction action {};
    action.sa_handler = on ? lookForProgress : SIG_DFL;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    if (on) ::sigaction(SIGALRM, &action, nullptr);
    ::alarm(on ? kCheckSeconds : 0);
    if (!on) ::sigaction(SIGALRM, &action, nullptr);
}

}  // namespace

void endWhenMemoryRunsOut() {
    std::set_new_handler([] { outOfMemory(); });
    std::set_terminate(endUncaught);
    catchCrashesWithoutMemory();
}

Application::Application(int& argc, char** argv) {
    qInstallMessageHandler(report);
    QApplication::setApplicationName(QString::fromLatin1(kProgram));
    QApplication::setDesktopFileName(QStringLiteral("io.github.wordrop.Wordrop"));
    rlimit addressSpace{};
    limitedAddressSpace =
        ::getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY;
    watchProgress(true);
    app_ = std::make_unique<GameApplication>(argc, argv);
    if (limitedAddressSpace) {
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                         [] { waitingForEvents = 1; });
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [] {
            waitingForEvents = 0;
            turns = turns + 1;
        });
    } else {
        watchProgress(false);
    }
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
