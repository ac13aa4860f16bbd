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

Form1::Form1() : form_(form1Design(), form1Layout()), c_(form_) {
    bindEvents();
}

void Form1::bindEvents() {
    form_.onBackgroundClick([this] { Form_Click(); });
    form_.onClick(c_.cmdOK.id(), [this] { static_cast<void>(cmdOK_Click()); });
    form_.onClick(c_.lblWin.id(), [this] { lblWin_Click(); });
    form_.onClick(c_.lblLoser.id(), [this] { lblLoser_Click(); });
}

Screen Form1::screen() const {
    if (c_.lblEnd.state().visible) return Screen::Closed;
    if (c_.lblWin.state().visible) return Screen::Won;
    if (c_.lblLoser.state().visible) return Screen::Lost;
    if (c_.cmdOK.state().visible) return Screen::Playing;
    return Screen::Start;
}

const LetterRow* Form1::findLetter(const std::string& guess) const {
    for (const LetterRow& row : c_.letters) {
        if (row.guess == guess) return &row;
    }
    return nullptr;
}

// One press of the OK button judges the text in the box exactly as typed: one of the
// eight lower-case letters of the word, or a wrong guess.
GuessOutcome Form1::cmdOK_Click() {
    const std::string guess = c_.txtLetter.Text();
    GuessOutcome outcome = GuessOutcome::Wrong;
    if (const LetterRow* row = findLetter(guess)) {
        const auto letter = static_cast<std::size_t>(row - c_.letters.data());
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
    c_.txtLetter.Text("");
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
    setVisible(c_.group(Group::Gallows), true);
    c_.lblPick.Visible(true);
    c_.txtLetter.Visible(true);
    c_.cmdOK.Visible(true);
    setVisible(c_.group(Group::WrongLetters), true);
    c_.lblLoser.Visible(false);
    WrongCount = 0;
    ShowReadyPrompt();
    HighlightPickPrompt();
}

void Form1::ShowReadyPrompt() {
    c_.lblAre.Visible(true);
    c_.lblwordrop.Visible(true);
}

// The window's new background colour also erases the figure of an interrupted game.
void Form1::PrepareBoard() {
    form_.BackColor(Violet);
    setBackColor(c_.group(Group::WrongLetters), Violet);
    setBackColor(c_.group(Group::LetterLabels), Violet);
    c_.lblLoser.BackColor(Violet);
    setVisible(c_.group(Group::Blanks), true);
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
    c_.lblLoser.Visible(true);
    c_.cmdOK.Visible(false);
    ShowLossBoard();
}

void Form1::HighlightPickPrompt() {
    c_.lblPick.BackColor(Violet);
}

void Form1::lblLoser_Click() {
    c_.lblLoser.Visible(false);
    c_.lblEnd.Visible(true);
    c_.lblEnd2.Visible(true);
}

void Form1::lblWin_Click() {
    ShowWinBoard();
    c_.lblWin.Visible(false);
    c_.lblProgram.Visible(false);
}

void Form1::CheckWin() {
    if (RightCount != kLettersToWin) return;
    c_.lblWin.Visible(true);
    c_.lblProgram.Visible(true);
    c_.cmdOK.Visible(false);
    c_.txtLetter.Visible(false);
}

void Form1::RecordWrongLetter() {
    const ControlRef box = c_.lblWrong(WrongCount);
    box.Caption(c_.txtLetter.Text());
}

// The board is cleared in place: nothing is destroyed, no caption or counter changes.
// After a loss and after a win the same steps run in the same order, but for the three
// that are marked.
void Form1::clearBoard(Ending ending) {
    form_.Cls();
    setVisible(c_.group(Group::Gallows), false);
    c_.lblPick.Visible(false);
    c_.txtLetter.Visible(false);
    c_.cmdOK.Visible(false);
    form_.BackColor(Violet);
    setForeColor(c_.group(Group::WrongLetters), Violet);
    setForeColor(c_.group(Group::LetterLabels), Violet);
    c_.lblLoser.ForeColor(Black);
    if (ending == Ending::Loss) setBackColor(c_.group(Group::Closing), Violet);
    setVisible(c_.group(Group::Blanks), false);
    setVisible(c_.group(Group::Prompts), false);
    if (ending == Ending::Win) {
        setVisible(c_.group(Group::Closing), true);
        c_.lblLoser.Visible(false);
    }
}

}  // namespace wordrop::game
