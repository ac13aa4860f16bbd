// SPDX-License-Identifier: MIT
#include "game/Form1.h"

#include "game/Figure.h"
#include "game/Form1Layout.h"

namespace wordrop::game {

using window::Black;
using window::Violet;

namespace {

void setVisible(const std::vector<ControlRef>& group, bool visible) {
    for (const ControlRef& control : group) control.Visible(visible);
}

void setBackColor(const std::vector<ControlRef>& group, window::Colour colour) {
    for (const ControlRef& control : group) control.BackColor(colour);
}

void setForeColor(const std::vector<ControlRef>& group, window::Colour colour) {
    for (const ControlRef& control : group) control.ForeColor(colour);
}

}  // namespace

Form1::Form1() : form_(form1Design(), form1Layout()), controls_(form_) {
    bindEvents();
    form_.setReadingRegions([this] { return readingRegions(); });
}

// The board is read as a player looks at it: what it asks, where to answer, the word,
// the wrong guesses, and last whatever banner is over it all. A new game starts over the
// old board, so the wrong guesses of the game before stay on show, in the boxes this
// game has not yet filled, and are read as what they are.
std::vector<window::ReadingRegion> Form1::readingRegions() const {
    const Form1Controls& c = controls_;
    std::vector<window::ControlId> wrong;
    std::vector<window::ControlId> before;
    for (int k = 0; k < kWrongToLose; ++k)
        (k < wrongCount() ? wrong : before).push_back(c.lblWrong(k).id());
    using window::ReadingKind;
    return {
        {ReadingKind::Each, {c.lblAre.id(), c.lblwordrop.id(), c.lblPick.id()}, {}},
        {ReadingKind::Each, {c.txtLetter.id(), c.cmdOK.id()}, {}},
        {ReadingKind::Positions, c.word, {}},
        {ReadingKind::List, std::move(wrong), "Wrong guesses"},
        {ReadingKind::List, std::move(before), "Still shown from the game before"},
        {ReadingKind::Each,
         {c.lblWin.id(), c.lblProgram.id(), c.lblLoser.id(), c.lblEnd.id(), c.lblEnd2.id()},
         {}},
    };
}

void Form1::bindEvents() {
    form_.onBackgroundClick([this] { Form_Click(); });
    form_.onClick(controls_.cmdOK.id(), [this] { static_cast<void>(cmdOK_Click()); });
    form_.onClick(controls_.lblWin.id(), [this] { lblWin_Click(); });
    form_.onClick(controls_.lblLoser.id(), [this] { lblLoser_Click(); });
}

Screen Form1::screen() const {
    if (controls_.lblEnd.state().visible) return Screen::Closed;
    if (controls_.lblWin.state().visible) return Screen::Won;
    if (controls_.lblLoser.state().visible) return Screen::Lost;
    if (controls_.cmdOK.state().visible) return Screen::Playing;
    return Screen::Start;
}

const LetterRow* Form1::findLetter(const std::string& guess) const {
    for (const LetterRow& row : controls_.letters) {
        if (row.guess == guess) return &row;
    }
    return nullptr;
}

bool Form1::counted(const std::string& guess) const {
    const LetterRow* row = findLetter(guess);
    return row && counted_.test(static_cast<std::size_t>(row - controls_.letters.data()));
}

// One press of the OK button judges the text in the box exactly as typed: one of the
// eight lower-case letters of the word, or a wrong guess.
GuessOutcome Form1::cmdOK_Click() {
    const std::string guess = controls_.txtLetter.Text();
    GuessOutcome outcome = GuessOutcome::Wrong;
    if (const LetterRow* row = findLetter(guess)) {
        const auto letter = static_cast<std::size_t>(row - controls_.letters.data());
        // A letter counts once per game; guessing it again reveals nothing new.
        if (counted_.test(letter)) {
            outcome = GuessOutcome::Repeated;
        } else {
            setVisible(row->labels, true);
            RightCount.increment();
            counted_.set(letter);
            CheckWin();
            outcome = RightCount == kLettersToWin ? GuessOutcome::Won : GuessOutcome::Correct;
        }
    } else {
        RecordWrongLetter();
        DrawNextPiece();
        WrongCount.increment();
    }
    if (WrongCount == kWrongToLose) {
        EndGameLost();
        outcome = GuessOutcome::Lost;
    }
    controls_.txtLetter.Text("");
    return outcome;
}

void Form1::ShowLossBoard() {
    clearBoard(Ending::Loss);
}

// A click on the background starts a game: over the old board, whatever state it is in.
void Form1::Form_Click() {
    RightCount = 0;
    counted_.reset();
    PrepareBoard();
    setVisible(controls_.group(Group::Gallows), true);
    controls_.lblPick.Visible(true);
    controls_.txtLetter.Visible(true);
    controls_.cmdOK.Visible(true);
    setVisible(controls_.group(Group::WrongLetters), true);
    controls_.lblLoser.Visible(false);
    WrongCount = 0;
    ShowReadyPrompt();
    HighlightPickPrompt();
}

void Form1::ShowReadyPrompt() {
    controls_.lblAre.Visible(true);
    controls_.lblwordrop.Visible(true);
}

// The window's new background colour also erases the figure of an interrupted game.
void Form1::PrepareBoard() {
    form_.BackColor(Violet);
    setBackColor(controls_.group(Group::WrongLetters), Violet);
    setBackColor(controls_.group(Group::LetterLabels), Violet);
    controls_.lblLoser.BackColor(Violet);
    setVisible(controls_.group(Group::Blanks), true);
    form_.FillStyle(window::FillMode::Transparent);
}

void Form1::ShowWinBoard() {
    clearBoard(Ending::Win);
}

void Form1::DrawNextPiece() {
    DrawPiece();
}

void Form1::DrawPiece() {
    drawFigurePiece(form_, WrongCount);
}

void Form1::EndGameLost() {
    controls_.lblLoser.Visible(true);
    controls_.cmdOK.Visible(false);
    ShowLossBoard();
}

void Form1::HighlightPickPrompt() {
    controls_.lblPick.BackColor(Violet);
}

void Form1::lblLoser_Click() {
    controls_.lblLoser.Visible(false);
    controls_.lblEnd.Visible(true);
    controls_.lblEnd2.Visible(true);
}

void Form1::lblWin_Click() {
    ShowWinBoard();
    controls_.lblWin.Visible(false);
    controls_.lblProgram.Visible(false);
}

void Form1::CheckWin() {
    if (RightCount != kLettersToWin) return;
    controls_.lblWin.Visible(true);
    controls_.lblProgram.Visible(true);
    controls_.cmdOK.Visible(false);
    controls_.txtLetter.Visible(false);
}

void Form1::RecordWrongLetter() {
    const ControlRef box = controls_.lblWrong(WrongCount);
    box.Caption(controls_.txtLetter.Text());
}

// The board is cleared in place: nothing is destroyed, no caption or counter changes.
// After a loss and after a win the same steps run in the same order, but for the three
// that are marked.
void Form1::clearBoard(Ending ending) {
    form_.Cls();
    setVisible(controls_.group(Group::Gallows), false);
    controls_.lblPick.Visible(false);
    controls_.txtLetter.Visible(false);
    controls_.cmdOK.Visible(false);
    form_.BackColor(Violet);
    setForeColor(controls_.group(Group::WrongLetters), Violet);
    setForeColor(controls_.group(Group::LetterLabels), Violet);
    controls_.lblLoser.ForeColor(Black);
    if (ending == Ending::Loss) setBackColor(controls_.group(Group::Closing), Violet);
    setVisible(controls_.group(Group::Blanks), false);
    setVisible(controls_.group(Group::Prompts), false);
    if (ending == Ending::Win) {
        setVisible(controls_.group(Group::Closing), true);
        controls_.lblLoser.Visible(false);
    }
}

}  // namespace wordrop::game
