// SPDX-License-Identifier: MIT
// The page's answers are read by view.js: every field the game writes is one the page reads,
// and every field the page reads is one the game writes, for each kind of object. Whole
// games are played through the midend and their answers parsed; view.js's source gives
// the fields it reads, by the names it reads each kind of object with.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Points.h"
#include "game/BoardSummary.h"
#include "game/Form1.h"
#include "game/Narration.h"
#include "window/Midend.h"
#include "window/web/SceneJson.h"

namespace wordrop::window::web {
namespace {

// ---- JSON as the page's JSON.parse reads it ----

using Json = nlohmann::ordered_json;  // an item's first field names its kind

// Strict JSON, each object's fields once: JSON.parse would keep the last of a field given
// twice, and the page would never see the first.
Json parsed(const std::string& text) {
    std::vector<std::set<std::string>> open;  // the fields of each object being read
    return Json::parse(text, [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) open.emplace_back();
        if (event == Json::parse_event_t::object_end) open.pop_back();
        if (event == Json::parse_event_t::key &&
            !open.back().insert(parsed.get<std::string>()).second)
            throw std::runtime_error("a field twice: " + parsed.dump());
        return true;
    });
}

std::vector<std::string> keysOf(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

// The fields of each kind of object: "answer", "scene", "slot" (a widget), "readable" (a
// line of the reading order), and "item rect", "item line" and so on by the field that
// names an item's kind.
using Fields = std::map<std::string, std::set<std::string>>;

void collect(const Json& answer, Fields& fields) {
    const auto note = [&](const std::string& kind, const Json& object) {
        for (const std::string& key : keysOf(object)) fields[kind].insert(key);
    };
    note("answer", answer);
    if (!answer.contains("scene")) return;
    const Json& scene = answer["scene"];
    note("scene", scene);
    for (const Json& item : scene["items"]) note("item " + keysOf(item).front(), item);
    for (const Json& slot : scene["widgets"]) note("slot", slot);
    for (const Json& readable : scene["reading"]) note("readable", readable);
}

// ---- What view.js reads ----

std::set<std::string> readsOf(const std::string& source, const std::string& name) {
    std::set<std::string> names;
    const std::regex read("\\b" + name + "\\.([A-Za-z_]\\w*)");
    for (auto it = std::sregex_iterator(source.begin(), source.end(), read);
         it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

// The page reads each object by one name; an item only in the DRAW table, where the method
// for each kind is named after the field that names it.
Fields pageReads() {
    std::ifstream file(WORDROP_SOURCE_DIR "/src/window/web/page/view.js");
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    Fields fields;
    for (const std::string name : {"answer", "scene", "slot", "readable"})
        fields[name] = readsOf(source, name);
    const std::size_t begin = source.find("\nconst DRAW = {\n");
    const std::size_t end = source.find("\n};\n", begin);
    EXPECT_NE(begin, std::string::npos) << "view.js has no DRAW table";
    EXPECT_NE(end, std::string::npos);
    const std::string draw = source.substr(begin, end - begin);
    EXPECT_EQ(readsOf(source.substr(0, begin) + source.substr(end), "item"),
              std::set<std::string>{})
        << "an item read outside DRAW";
    const std::regex method(R"(\n  (\w+)\(item, picture[^)]*\) \{)");
    std::vector<std::pair<std::string, std::size_t>> methods;
    for (auto it = std::sregex_iterator(draw.begin(), draw.end(), method);
         it != std::sregex_iterator(); ++it)
        methods.emplace_back((*it)[1], static_cast<std::size_t>(it->position()));
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const std::size_t stop = i + 1 < methods.size() ? methods[i + 1].second : draw.size();
        fields["item " + methods[i].first] =
            readsOf(draw.substr(methods[i].second, stop - methods[i].second), "item");
    }
    return fields;
}

// ---- Games played through the midend, as the page plays them ----

class EvenMeasure final : public FontMeasure {
  public:
    double advance(const Font& font, std::string_view utf8) const override {
        return 0.5 * font.pixelSize * static_cast<double>(utf8.size());
    }
    double ascent(const Font& font) const override { return 0.8 * font.pixelSize; }
    double lineHeight(const Font& font) const override { return 1.2 * font.pixelSize; }
    // As the page's faces place the characters they have.
    std::vector<double> offsets(const Font& font, std::string_view utf8) const override {
        std::vector<double> starts;
        for (std::size_t k = 0; k < utf8.size(); ++k) starts.push_back(advance(font, "x") * k);
        return starts;
    }
};

class Page {
  public:
    Page() {
        midend.markLetters([this](char letter) { return game::markOf(form1, letter); });
        keep(answerJson(midend, {}, true));
    }

    void click(Point at) {
        const PointF pixels{testing::points::pixels(at.x), testing::points::pixels(at.y)};
        keep(answerJson(midend, midend.pointer(PointerMotion::Press, pixels)));
        keep(answerJson(midend, midend.pointer(PointerMotion::Release, pixels)));
    }
    void key(KeyStroke stroke) {
        keep(answerJson(midend, midend.key(stroke, KeyMotion::Press)));
        keep(answerJson(midend, midend.key(stroke, KeyMotion::Release)));
    }
    // Into the box, focused as a click in it focuses it, and sent by Enter.
    void guess(std::string_view text) {
        keep(answerJson(midend, midend.focusMoved(FocusPlace::on(box()))));
        keep(answerJson(midend, midend.type(box(), std::string(text))));
        key({.name = KeyName::Enter});
    }
    ControlId box() {
        for (const WidgetSlot& slot : midend.scene(1).widgets)
            if (slot.kind == ControlKind::TextBox) return slot.control;
        throw std::runtime_error("no text box");
    }
    void keep(const std::string& json) {
        collect(parsed(json), fields);
        answers.push_back(json);
    }

    game::Form1 form1;
    game::Form1Narrator narrator{form1};
    EvenMeasure measure;
    Midend midend{form1.form(), measure, &narrator, [this] { return game::summarize(form1); }};
    Fields fields;
    std::vector<std::string> answers;
};

// A game with every kind of answer: a run-time error, a start by F2, guesses right and
// wrong (a NUL in one), the focus moved by Tab and by typing with no widget focused, the
// close keys, and a win or a loss pressed on its banner.
Fields play(bool win) {
    Page page;
    page.form1.form().faults().failOperation(3);
    page.click(testing::points::kBackground);
    page.key({.name = KeyName::F2});
    page.guess(std::string("x\0y", 3));
    page.guess("p");
    page.key({.name = KeyName::Tab});
    page.keep(answerJson(page.midend, page.midend.focusMoved(FocusPlace::window())));
    page.key({.name = KeyName::Letter, .letter = 'R', .text = "r"});
    page.key({.name = KeyName::Enter});
    page.key({.name = KeyName::Letter, .letter = 'Q', .modifiers = Modifiers::Ctrl});
    for (const char* letter : win ? std::vector{"o", "g", "a", "m", "i", "n"}
                                  : std::vector{"b", "c", "d", "e", "f", "h", "j", "k"})
        page.guess(letter);
    // A filled circle, which the form can draw though the game does not.
    page.form1.form().FillStyle(FillMode::Solid);
    page.form1.form().Circle({1500, 1500}, 300, Black);
    page.keep(answerJson(page.midend, page.midend.facesChanged()));
    page.key({.name = KeyName::Enter});  // on the banner, which has the focus
    EXPECT_EQ(page.midend.summary(), "The game is over. Please exit and try again.");
    return page.fields;
}

Fields writtenFields() {
    Fields fields = play(true);
    for (auto& [kind, names] : play(false)) fields[kind].insert(names.begin(), names.end());
    return fields;
}

std::set<std::string> kinds(const Fields& fields) {
    std::set<std::string> names;
    for (const auto& [kind, ignored] : fields) names.insert(kind);
    return names;
}

TEST(SceneJsonTest, ThePageReadsEveryFieldTheGameWritesAndNoOther) {
    const Fields written = writtenFields();
    const Fields read = pageReads();
    ASSERT_EQ(kinds(written), kinds(read)) << "the kinds of object and of item";
    for (const auto& [kind, names] : written) {
        EXPECT_EQ(names, read.at(kind)) << "the fields of " << kind << ": written, then read";
    }
}

// What the player types stays the page's: only the game's own writes go back to the box.
TEST(SceneJsonTest, ABoxsTextGoesToThePageOnlyWhenTheGameWroteIt) {
    const auto boxText = [](const std::string& json) -> std::optional<std::string> {
        const Json answer = parsed(json);
        if (!answer.contains("scene")) return std::nullopt;
        for (const Json& slot : answer["scene"]["widgets"]) {
            if (slot["kind"] == "textbox" && slot.contains("text"))
                return slot["text"].get<std::string>();
        }
        return std::nullopt;
    };
    Page page;
    EXPECT_EQ(boxText(page.answers.front()), "") << "the first scene has every box's text";
    page.click(testing::points::kBackground);
    page.keep(answerJson(page.midend, page.midend.focusMoved(FocusPlace::on(page.box()))));
    const std::string typed(100000, 'q');
    const std::string answer = answerJson(page.midend, page.midend.type(page.box(), typed));
    EXPECT_FALSE(boxText(answer).has_value()) << "typing is not sent back";
    EXPECT_FALSE(parsed(answer).contains("scene")) << "nor the scene with it";
    page.key({.name = KeyName::Enter});
    EXPECT_EQ(boxText(page.answers[page.answers.size() - 2]), "") << "the guess emptied the box";
}

}  // namespace
}  // namespace wordrop::window::web
