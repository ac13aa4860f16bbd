// SPDX-License-Identifier: MIT
#include "window/SceneBuilder.h"

#include <algorithm>

#include "window/FaceSubstitutes.h"
#include "window/Keys.h"

namespace wordrop::window {

namespace {

// Twips become pixels here and nowhere else: logical pixels (Qt's, or the browser's CSS
// pixels) at 15 twips a pixel, the ratio of a 96-dpi screen, then device pixels by the
// view's scale.
constexpr double kTwipsPerPixel = 15.0;

constexpr double pixelsOf(int twips) {
    return twips / kTwipsPerPixel;
}

// The twip under a position given in logical pixels.
constexpr int twipsOf(double pixels) {
    return static_cast<int>(pixels * kTwipsPerPixel);
}

class Pixels {
  public:
    explicit Pixels(double scale) : scale_(scale) {}
    double operator()(double logical) const { return logical * scale_; }
    double of(int twips) const { return pixelsOf(twips) * scale_; }
    RectF of(Rect r) const { return {of(r.left), of(r.top), of(r.width), of(r.height)}; }
    // The middle of the logical pixel the point falls in, where a one-pixel pen is centred.
    PointF penAt(Point p) const {
        return {(pixelsOf(p.x) + 0.5) * scale_, (pixelsOf(p.y) + 0.5) * scale_};
    }
    double pen() const { return scale_; }

  private:
    double scale_;
};

// A caption's lines are laid out in logical pixels, so that they break alike at any scale.
class LogicalMeasure final : public TextMeasure {
  public:
    LogicalMeasure(const FontMeasure& measure, const FontDesign& design)
        : measure_(measure), font_(fontFor(design)) {
        // Where the stand-in's line height differs from the designed face's, the designed
        // one keeps the lines where they were meant to be.
        const auto substitute = substituteFor(design.face);
        lineHeight_ = substitute && substitute->lineHeightEm > 0
                          ? font_.pixelSize * substitute->lineHeightEm
                          : measure.lineHeight(font_);
    }
    double advance(std::string_view utf8) const override { return measure_.advance(font_, utf8); }
    double lineHeight() const override { return lineHeight_; }

  private:
    const FontMeasure& measure_;
    Font font_;
    double lineHeight_ = 0;
};

std::vector<double> inPixels(std::vector<double> logical, const Pixels& px) {
    for (double& value : logical) value = px(value);
    return logical;
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const auto start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t\r\n") + 1 - start);
}

}  // namespace

bool canBeRead(const Form& form, ControlId id) {
    const Control& c = form.state(id);
    return c.kind() == ControlKind::Label && c.visible && !blank(c.caption) &&
           !(c.fore.resolved() == c.back.resolved()) && !form.covered(id);
}

AccessKeyCaption parseAccessKey(std::string_view caption) {
    AccessKeyCaption result;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && !result.key) result.key = result.shown.size();
        }
        result.shown += caption[i];
    }
    return result;
}

RectF toPixels(Rect area, double scale) {
    return Pixels(scale).of(area);
}

Point toTwips(PointF at, double scale) {
    return {twipsOf(at.x / scale), twipsOf(at.y / scale)};
}

Font fontFor(const FontDesign& design, double scale) {
    const auto substitute = substituteFor(design.face);
    return {substitute ? substitute->family : design.face, pixelSize(design) * scale, design.weight,
            design.face == "Courier New"};
}

SceneBuilder::SceneBuilder(const Form& form, const FontMeasure& measure)
    : form_(form), measure_(measure), lines_(form.controls().size()) {}

void SceneBuilder::forget(ControlId id) {
    lines_[static_cast<std::size_t>(id)].reset();
}

void SceneBuilder::forgetAll() {
    for (auto& lines : lines_) lines.reset();
}

const std::vector<LaidLine>& SceneBuilder::linesOf(ControlId id) const {
    auto& lines = lines_[static_cast<std::size_t>(id)];
    if (!lines) {
        const Control& label = form_.state(id);
        lines = blank(label.caption)
                    ? std::vector<LaidLine>()
                    : layOutCaption(label.caption, pixelsOf(label.bounds().width),
                                    pixelsOf(label.bounds().height), label.design->alignment,
                                    LogicalMeasure(measure_, label.design->font));
    }
    return *lines;
}

Scene SceneBuilder::build(double scale) const {
    const Pixels px(scale);
    Scene scene{scale, px.of(form_.clientSize().width), px.of(form_.clientSize().height), {}, {},
                {}};
    scene.items.push_back(
        {FilledRect{{0, 0, scene.width, scene.height}, form_.backColour().resolved()}, std::nullopt,
         !form_.covered(form_.clientArea())});
    addDrawing(scene);
    // Back to front: the list of controls runs front to back.
    for (std::size_t i = form_.controls().size(); i-- > 0;) addControl(scene, ControlId(i));
    std::sort(scene.widgets.begin(), scene.widgets.end(), [this](const auto& a, const auto& b) {
        const int ta = form_.state(a.control).design->tabIndex;
        const int tb = form_.state(b.control).design->tabIndex;
        return ta != tb ? ta < tb : a.control < b.control;
    });
    addReading(scene);
    return scene;
}

// What was drawn with Circle and Line lies under every control.
void SceneBuilder::addDrawing(Scene& scene) const {
    const Pixels px(scene.scale);
    const bool seen = !form_.covered(form_.drawing().bounds);
    for (const Primitive& primitive : form_.drawing().primitives) {
        if (const auto* c = std::get_if<CircleShape>(&primitive)) {
            std::optional<Rgb> fill;
            if (c->fill == FillMode::Solid) fill = c->fillColour.resolved();
            scene.items.push_back({StrokedCircle{px.penAt(c->centre), px.of(c->radius), px.pen(),
                                                 c->colour.resolved(), fill},
                                   std::nullopt, seen});
        } else if (const auto* l = std::get_if<LineShape>(&primitive)) {
            scene.items.push_back({StrokedLine{px.penAt(l->segment.from), px.penAt(l->segment.to),
                                               px.pen(), l->colour.resolved()},
                                   std::nullopt, seen});
        }
    }
}

void SceneBuilder::addControl(Scene& scene, ControlId id) const {
    const Control& c = form_.state(id);
    if (c.isWidget()) return scene.widgets.push_back(widget(id, scene.scale));
    if (!c.visible) return;
    const Pixels px(scene.scale);
    const bool seen = !form_.covered(id);
    switch (c.kind()) {
        case ControlKind::Label:
            return addLabel(scene, id);
        case ControlKind::Shape: {
            // A rounded square's corners are a quarter of its side; the outline has the
            // fill's colour.
            const RectF box = px.of(c.bounds());
            const double radius = c.design->shape == ShapeStyle::RoundedSquare ? box.width / 4 : 0;
            scene.items.push_back({FilledRect{box, c.back.resolved(), radius}, id, seen});
            return;
        }
        case ControlKind::Line:
            scene.items.push_back(
                {StrokedLine{px.penAt(c.design->ends.from), px.penAt(c.design->ends.to), px.pen(),
                             c.fore.resolved()},
                 id, seen});
            return;
        case ControlKind::TextBox:
        case ControlKind::CommandButton:
            return;
    }
}

// An opaque label paints its whole box, then each line of its caption that has ink.
void SceneBuilder::addLabel(Scene& scene, ControlId id) const {
    const Control& label = form_.state(id);
    const Pixels px(scene.scale);
    const RectF box = px.of(label.bounds());
    scene.items.push_back({FilledRect{box, label.back.resolved()}, id, !form_.covered(id)});
    const std::vector<LaidLine>& lines = linesOf(id);
    if (lines.empty()) return;
    const Font logical = fontFor(label.design->font);
    const double ascent = measure_.ascent(logical);
    const bool seen = canBeRead(form_, id);
    for (const LaidLine& line : lines) {
        if (blank(line.text)) continue;
        const double x = pixelsOf(label.bounds().left) + line.x;
        const double y = pixelsOf(label.bounds().top) + line.y + ascent;
        scene.items.push_back({TextRun{{px(x), px(y)},
                                       std::string(line.text),
                                       fontFor(label.design->font, scene.scale),
                                       label.fore.resolved(),
                                       box,
                                       inPixels(measure_.offsets(logical, line.text), px)},
                               id, seen});
    }
}

WidgetSlot SceneBuilder::widget(ControlId id, double scale) const {
    const Control& c = form_.state(id);
    WidgetSlot slot{id,
                    c.kind(),
                    toPixels(c.bounds(), scale),
                    fontFor(c.design->font, scale),
                    c.back.resolved(),
                    c.fore.resolved(),
                    c.visible,
                    {},
                    {},
                    std::nullopt,
                    {},
                    c.kind() == ControlKind::TextBox ? c.text : std::string()};
    if (c.kind() == ControlKind::CommandButton) {
        AccessKeyCaption caption = parseAccessKey(c.caption);
        slot.name = std::string(trimmed(caption.shown));
        if (caption.key) slot.shortcut = accessKeyName(caption.shown[*caption.key]);
        slot.caption = std::move(caption.shown);
        slot.accessKey = caption.key;
    } else if (const auto label = form_.labelFor(id)) {
        // A text box is named by the label before it in the tab order.
        slot.name = std::string(trimmed(form_.state(*label).caption));
    }
    return slot;
}

// The words a sighted player can read in the label, its lines joined.
std::string SceneBuilder::wordsOf(ControlId id) const {
    std::string text;
    for (const LaidLine& line : linesOf(id)) {
        const std::string_view words = trimmed(line.text);
        if (words.empty()) continue;
        if (!text.empty()) text += ' ';
        text += words;
    }
    return text;
}

Readable SceneBuilder::readableOf(const Scene& scene, ControlId id) const {
    const Control& c = form_.state(id);
    Readable item{id, ReadRole::Widget, {}, Pixels(scene.scale).of(c.bounds())};
    if (!c.isWidget()) {
        const bool pressable =
            form_.answersClicks(id) && form_.reachablePoint({HitKind::Control, id}).has_value();
        item.role = pressable ? ReadRole::Pressable : ReadRole::Text;
        item.text = wordsOf(id);
    } else {
        const auto slot = std::find_if(scene.widgets.begin(), scene.widgets.end(),
                                       [id](const WidgetSlot& w) { return w.control == id; });
        item.text = slot->name;
    }
    return item;
}

// The form's reading regions in turn, then what is in none; within each, top to bottom,
// then left to right. A region read as a list is one item, over all of its readable part.
void SceneBuilder::addReading(Scene& scene) const {
    const auto readable = [this](ControlId id) {
        const Control& c = form_.state(id);
        return canBeRead(form_, id) || (c.isWidget() && c.visible);
    };
    const auto byPlace = [this](ControlId a, ControlId b) {
        const Rect ra = form_.state(a).bounds();
        const Rect rb = form_.state(b).bounds();
        if (ra.top != rb.top) return ra.top < rb.top;
        return ra.left != rb.left ? ra.left < rb.left : a < b;
    };
    std::vector<bool> inRegion(form_.controls().size(), false);
    const auto read = [&](std::vector<ControlId> ids, ReadingKind kind, const std::string& name) {
        std::sort(ids.begin(), ids.end(), byPlace);
        std::optional<Readable> list;
        for (std::size_t place = 0; place < ids.size(); ++place) {
            const ControlId id = ids[place];
            if (!readable(id)) continue;
            Readable item = readableOf(scene, id);
            if (kind == ReadingKind::Positions) {
                item.text += ", position " + std::to_string(place + 1);
            } else if (kind == ReadingKind::List) {
                if (!list) {
                    list = std::move(item);
                    list->role = ReadRole::Text;
                    list->text = name + ": " + list->text;
                    continue;
                }
                list->text += ", " + item.text;
                const RectF a = list->box;
                const RectF b = item.box;
                const double right = std::max(a.x + a.width, b.x + b.width);
                const double bottom = std::max(a.y + a.height, b.y + b.height);
                list->box = {std::min(a.x, b.x), std::min(a.y, b.y), 0, 0};
                list->box.width = right - list->box.x;
                list->box.height = bottom - list->box.y;
                continue;
            }
            scene.reading.push_back(std::move(item));
        }
        if (list) scene.reading.push_back(std::move(*list));
    };
    for (const ReadingRegion& region : form_.readingRegions()) {
        for (const ControlId id : region.controls) inRegion[static_cast<std::size_t>(id)] = true;
        read(region.controls, region.kind, region.name);
    }
    std::vector<ControlId> rest;
    for (std::size_t i = 0; i < inRegion.size(); ++i) {
        if (!inRegion[i]) rest.push_back(ControlId(i));
    }
    read(std::move(rest), ReadingKind::Each, {});
}

}  // namespace wordrop::window
