// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <string_view>

namespace wordrop {

namespace {

// Qt's own options, by the name it gives them: those that take a value, and switches.
constexpr std::string_view kQtWithValue[] = {"platform",
                                             "platformpluginpath",
                                             "platformtheme",
                                             "plugin",
                                             "qwindowgeometry",
                                             "qwindowtitle",
                                             "qwindowicon",
                                             "style",
                                             "stylesheet",
                                             "session",
                                             "display",
                                             "geometry",
                                             "title",
                                             "name",
                                             "visual",
                                             "font",
                                             "fn",
                                             "bg",
                                             "background",
                                             "fg",
                                             "foreground",
                                             "im"};
constexpr std::string_view kQtSwitches[] = {"reverse", "widgetcount", "nograb",       "dograb",
                                            "sync",    "testability", "qmljsdebugger"};

template <std::size_t N>
bool contains(const std::string_view (&list)[N], std::string_view name) {
    for (std::string_view entry : list) {
        if (entry == name) return true;
    }
    return false;
}

const char* const kUsage =
    "Usage: wordrop [--help] [--version] [Qt options]\n"
    "\n"
    "Guess the hidden word letter by letter, in one window.\n"
    "\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Qt's standard options, such as -platform and -style, are accepted.\n"
    "Keys: F2 or Ctrl+N new game, Enter or Alt+O presses Ok!, Enter or Space on a\n"
    "banner goes on, Tab or Shift+Tab moves between button, box and banner, a\n"
    "letter typed with nothing focused goes into the box, Ctrl+Q or Ctrl+W quits.\n";

}  // namespace

std::optional<CommandLineAnswer> answerCommandLine(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") return CommandLineAnswer{0, kUsage, {}};
        if (arg == "--version") return CommandLineAnswer{0, "wordrop " WORDROP_VERSION "\n", {}};
        // Qt takes -name and --name alike, and -name=value for its debugger option.
        std::string_view name(arg);
        if (name.starts_with("--")) name.remove_prefix(1);
        if (name.size() > 1 && name.front() == '-') {
            name.remove_prefix(1);
            name = name.substr(0, name.find('='));
            if (contains(kQtSwitches, name)) continue;
            if (contains(kQtWithValue, name) && i + 1 < args.size()) {
                ++i;
                continue;
            }
        }
        return CommandLineAnswer{
            2, {}, "wordrop: unknown option '" + arg + "' (see wordrop --help)\n"};
    }
    return std::nullopt;
}

}  // namespace wordrop
