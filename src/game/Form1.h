// SPDX-License-Identifier: MIT
#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

#include "game/Form1Controls.h"
#include "window/Counter.h"
#include "window/Form.h"

namespace wordrop::game {

// What one press of the OK button did.
enum class GuessOutcome : std::uint8_t {
    Correct,   // a letter of the word, new in this game
    Repeated,  // a letter of the word already counted in this game: nothing changes
    Wrong,     // listed in the next box and the next piece drawn
    Won,       // the last letter of the word
    Lost,      // the ninth wrong guess
};

// The screens of the program, in the order a game goes through them.
enum class Screen : std::uint8_t { Start, Playing, Won, Lost, Closed };

// The hidden word.
inline constexpr std::string_view kWord = "PROGRAMMING";
inline constexpr std::int16_t kLettersToWin = 8;
// What a screen reader is told of a wrong guess at the most, in bytes.
inline constexpr std::size_t kLongestGuessTold = 40;
inline constexpr std::int16_t kWrongToLose = 9;

// The game's one window: its controls, the two counters of a game, and the handlers of
// the four clicks the game answers. Nothing here knows how the window is drawn.
class Form1 {
  public:
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    window::Form& form() { return form_; }
    const window::Form& form() const { return form_; }
    // The labels of the word's letters, left to right.
    const std::vector<window::ControlId>& wordLabels() const { return controls_.word; }
    // The screen the window shows.
    [[nodiscard]] Screen screen() const;

    // The counters of the current game: wrong guesses (also the next free box and the
    // next figure piece), and letters of the word guessed.
    [[nodiscard]] std::int16_t wrongCount() const { return WrongCount; }
    [[nodiscard]] std::int16_t rightCount() const { return RightCount; }
    // For tests: the counters set where play cannot bring them, such as their limit.
    void setCountersForTesting(std::int16_t right, std::int16_t wrong) {
        RightCount = right;
        WrongCount = wrong;
    }

    // Whether a guess of this text counted as a letter of the word in the current game.
    [[nodiscard]] bool counted(const std::string& guess) const;

    GuessOutcome cmdOK_Click();

  private:
    void ShowLossBoard();

  public:
    void Form_Click();

  private:
    void ShowReadyPrompt();
    void PrepareBoard();
    void ShowWinBoard();
    void DrawNextPiece();
    void DrawPiece();
    void EndGameLost();
    void HighlightPickPrompt();

  public:
    void lblLoser_Click();
    void lblWin_Click();

  private:
    void CheckWin();
    void RecordWrongLetter();

    enum class Ending : std::uint8_t { Loss, Win };
    void clearBoard(Ending ending);
    const LetterRow* findLetter(const std::string& guess) const;
    void bindEvents();
    [[nodiscard]] std::vector<window::ReadingRegion> readingRegions() const;

    window::Counter WrongCount;
    window::Counter RightCount;
    window::Form form_;
    Form1Controls controls_;
    // The letters counted in the current game, by their row in the letter table.
    std::bitset<kLettersToWin> counted_;
};

}  // namespace wordrop::game
