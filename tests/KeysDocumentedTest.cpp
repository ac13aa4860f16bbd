// SPDX-License-Identifier: MIT
// Every place that tells people the keys names exactly the keys the window's key table
// has: each of them, and no other (Tab excepted, which the widgets keep for themselves).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "CommandLine.h"
#include "game/Form1.h"
#include "window/Keys.h"

namespace wordrop::testing {
namespace {

using window::KeyAction;

std::string read(const std::string& path) {
    std::ifstream file(std::string(WORDROP_SOURCE_DIR) + "/" + path);
    EXPECT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// What a text calls keys: "F2", "Ctrl+N", "Alt+O", "Enter", ...
std::set<std::string> keysNamedIn(const std::string& text) {
    static const std::regex key(
        R"(\b(?:(?:Ctrl|Alt|Shift)\+[A-Z0-9]\w*|F\d{1,2}|Return|Enter|Space|Tab|Esc(?:ape)?)\b)");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), key);
         it != std::sregex_iterator(); ++it)
        names.insert(it->str());
    return names;
}

std::set<std::string> tableKeys() {
    const game::Form1 game;
    std::set<std::string> names;
    // A letter typed into the box is typing, which the documents tell in words.
    for (const KeyAction action :
         {KeyAction::NewGame, KeyAction::PressBanner, KeyAction::PressDefault,
          KeyAction::PressFocused, KeyAction::PressAccessKey, KeyAction::Close,
          KeyAction::FocusNext, KeyAction::FocusPrevious}) {
        for (const std::string& name : window::keyNames(game.form(), action)) names.insert(name);
    }
    return names;
}

// The README's table of keys, the man page's KEYS section, the metainfo's description and
// the --help text.
TEST(KeysDocumentedTest, EveryDocumentNamesTheTablesKeysAndNoOthers) {
    const std::string readme = read("README.md");
    const auto keys = readme.find("## Keys");
    ASSERT_NE(keys, std::string::npos);
    const std::string manual = read("data/wordrop.6.in");
    const auto section = manual.find(".SH KEYS");
    ASSERT_NE(section, std::string::npos);
    const std::string metainfo = read("data/io.github.wordrop.Wordrop.metainfo.xml.in");
    const struct {
        const char* where;
        std::string text;
    } documents[] = {
        {"README.md", readme.substr(keys, readme.find("\n## ", keys + 1) - keys)},
        {"wordrop.6", manual.substr(section, manual.find(".SH", section + 1) - section)},
        {"metainfo", metainfo.substr(0, metainfo.find("<releases>"))},
        {"--help", answerCommandLine({"--help"})->out},
    };
    for (const auto& document : documents) {
        EXPECT_EQ(keysNamedIn(document.text), tableKeys()) << document.where;
    }
}

}  // namespace
}  // namespace wordrop::testing
