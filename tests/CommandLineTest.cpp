// SPDX-License-Identifier: MIT
// The command line: two questions answered, Qt's options let through, the rest refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "CommandLine.h"

namespace wordrop {
namespace {

struct Row {
    std::vector<std::string> args;
    std::optional<int> status;  // none: the game starts
    const char* says;           // the start of what it prints
};

TEST(CommandLineTest, AnswersAndRefusals) {
    const Row rows[] = {
        {{}, std::nullopt, ""},
        {{"--help"}, 0, "Usage: wordrop"},
        {{"-platform", "offscreen", "--version"}, 0, "wordrop " WORDROP_VERSION "\n"},
        {{"-platform", "offscreen", "-style", "fusion", "-reverse"}, std::nullopt, ""},
        {{"--platform", "xcb", "-qmljsdebugger=port:1"}, std::nullopt, ""},
        {{"--bogus"}, 2, "wordrop: unknown option '--bogus'"},
        {{"word"}, 2, "wordrop: unknown option 'word'"},
        {{"-platform"}, 2, "wordrop: unknown option '-platform'"},  // its value is missing
    };
    for (const Row& row : rows) {
        const auto answer = answerCommandLine(row.args);
        ASSERT_EQ(answer.has_value(), row.status.has_value()) << testing::PrintToString(row.args);
        if (!answer) continue;
        EXPECT_EQ(answer->status, *row.status);
        const std::string& said = answer->status == 0 ? answer->out : answer->err;
        EXPECT_TRUE(said.starts_with(row.says)) << said;
        if (answer->status != 0) {
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "one line";
        }
    }
}

}  // namespace
}  // namespace wordrop
