// SPDX-License-Identifier: MIT
#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "game/BoardSummary.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Midend.h"
#include "window/qt/Application.h"
#include "window/qt/Fonts.h"
#include "window/qt/FormView.h"

int main(int argc, char* argv[]) {
    wordrop::window::qt::endWhenMemoryRunsOut();
    // Questions about the program are answered before any display is needed.
    if (const auto answer =
            wordrop::answerCommandLine(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fputs(answer->out.c_str(), stdout);
        std::fputs(answer->err.c_str(), stderr);
        return answer->status;
    }
    wordrop::window::qt::Application application(argc, argv);
    wordrop::game::Form1 form1;
    wordrop::game::Form1Narrator narrator(form1);
    wordrop::window::qt::QtFontMeasure measure;
    wordrop::window::Midend midend(form1.form(), measure, &narrator,
                                   [&form1] { return wordrop::game::summarize(form1); });
    wordrop::window::qt::FormView window(midend);
    window.showCentred();
    return application.exec();
}
