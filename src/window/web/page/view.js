// SPDX-License-Identifier: MIT
// The page's view of the form: it hands the game every pointer event, key, keystroke, click
// and move of the focus, and shows the game's answer (SceneJson.h), deciding nothing. The
// answer is read only as answer.*, scene.*, item.* (in DRAW), slot.* and readable.*: a C++
// test holds these names to the ones the game writes.
"use strict";

const SVG = "http://www.w3.org/2000/svg";
const formElement = document.getElementById("form");
const [help, narration, titleBar, pad, howToStart, again] =
  ["how-to-play", "narration", "title-bar", "pad", "how-to-start", "again"]
    .map((id) => document.getElementById(id));
const elements = new Map();  // control id -> its <input> or <button>, or a label's reader
let game = null;
const ANY_TEXT = new Set(["wordrop_type", "wordrop_edit"]);  // calls whose text may hold NUL
const held = new WeakMap();  // text box -> its text as the game holds it
let selectionBefore = null;  // its start, in the text box, before the input changing it

function svg(name, attributes, parent) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  return parent.appendChild(element);
}

// The width of a pen on the screen: the page may draw the form smaller than its own
// pixels, and a pen thinner than a device pixel would leave gaps in a crisp line, or
// nothing of it at all, wherever the browser rounds it away.
const penWidth = (width, deviceScale) => Math.max(width, 1 / deviceScale);

// How each kind of item is drawn, by the field that names its kind, at the device pixels
// to each of the form's pixels.
const DRAW = {
  rect(item, picture) {
    const [x, y, width, height] = item.rect;
    const corners = item.radius ? { rx: item.radius, ry: item.radius } : {};
    svg("rect", { x, y, width, height, fill: item.fill, ...corners }, picture);
  },
  line(item, picture, deviceScale) {
    const [x1, y1, x2, y2] = item.line;
    if (x1 !== x2 && y1 !== y2 && item.width === 1 && window.devicePixelRatio === 1 &&
        deviceScale >= 1) {
      svg("path", { d: slantingPixels(item.line), fill: item.stroke }, picture);
      return;
    }
    svg("line", { x1, y1, x2, y2, stroke: item.stroke,
                  "stroke-width": penWidth(item.width, deviceScale),
                  "stroke-linecap": "square" }, picture);
  },
  circle(item, picture, deviceScale) {
    const [cx, cy, r] = item.circle;
    svg("circle", { cx, cy, r, fill: item.fill || "none", stroke: item.stroke,
                    "stroke-width": penWidth(item.width, deviceScale) }, picture);
  },
  text(item, picture) {
    // A nested picture cuts the text off at its label's edges.
    const [x, y, width, height] = item.clip;
    const box = svg("svg", { x, y, width, height, overflow: "hidden" }, picture);
    // Each character where the faces' own advances place it, where the faces have it: an
    // engine that rounds them, or a stand-in face, then draws it there all the same.
    const start = item.at[0] - x;
    const places = item.offsets?.map((offset) => start + offset).join(" ");
    const text = svg("text", { x: places || start, y: item.at[1] - y, fill: item.fill }, box);
    Object.assign(text.style, { font: item.font, whiteSpace: "pre" });
    text.textContent = item.text;
  },
};

// A slanting line a pixel wide, set pixel by pixel as the desktop's aliased pen sets it
// (in 1/64 pixels, slopes in 1/65536): one pixel in each row it crosses (each column, if
// it lies flatter), from half a pixel before its start to half a pixel past its end, where
// it crosses the middle of the row when it runs towards larger columns, else the row's top.
// A browser's stroke sets two pixels in some rows.
function slantingPixels(line) {
  const [x1, y1, x2, y2] = line.map((value) => Math.trunc(value * 64));
  const steep = Math.abs(y2 - y1) > Math.abs(x2 - x1);
  let [a1, b1, a2, b2] = steep ? [y1, x1, y2, x2] : [x1, y1, x2, y2];
  if (a1 > a2) [a1, b1, a2, b2] = [a2, b2, a1, b1];
  const step = Math.trunc((b2 - b1) * 65536 / (a2 - a1));
  let b = b1 * 1024 - Math.floor(step / 2);
  a1 -= 32;
  a2 += 32;
  let a = Math.floor((a1 + 32) / 64);
  const end = Math.floor((a2 + 32) / 64);
  b += Math.floor((a * 64 + (step > 0 ? 32 : 0) - a1) * step / 64);
  let d = "";
  for (; a < end; a++, b += step) {
    const [x, y] = steep ? [Math.floor(b / 65536), a] : [a, Math.floor(b / 65536)];
    d += `M${x} ${y}h1v1h-1z`;
  }
  return d;
}

function place(element, [x, y, width, height]) {
  Object.assign(element.style, { left: x + "px", top: y + "px", width: width + "px",
                                 height: height + "px" });
}

// The scene lists the widgets in their tab order.
function syncWidget(slot, index) {
  let widget = elements.get(slot.id);
  if (!widget) {
    const box = slot.kind === "textbox";
    widget = document.createElement(box ? "input" : "button");
    Object.assign(widget, { type: box ? "text" : "button", tabIndex: index + 1 });
    if (box) {
      // A guess is compared as typed: a phone's keyboard must not capitalise, correct or
      // complete it.
      Object.assign(widget, { spellcheck: false, autocomplete: "off", autocapitalize: "off" });
      widget.setAttribute("autocorrect", "off");
      widget.addEventListener("beforeinput", () => {
        selectionBefore = widget.selectionStart;
      });
      widget.addEventListener("input", () => edited(widget));
    } else {
      widget.addEventListener("click", () => send("wordrop_activate", slot.id));
    }
    widget.dataset.id = slot.id;
    place(widget, slot.box);
    Object.assign(widget.style, { font: slot.font, background: slot.back, color: slot.fore });
    elements.set(slot.id, formElement.appendChild(widget));
  }
  if (slot.text !== undefined) {
    if (widget.value !== slot.text) widget.value = slot.text;
    held.set(widget, slot.text);
  }
  if (slot.name !== undefined) widget.setAttribute("aria-label", slot.name);
  if (slot.caption) {
    const underlined = document.createElement("u");
    underlined.textContent = slot.caption[1];
    widget.replaceChildren(slot.caption[0], underlined, slot.caption[2]);
  }
  if (slot.shortcut) widget.setAttribute("aria-keyshortcuts", slot.shortcut);
  widget.hidden = !slot.visible;
}

// A label's text as a screen reader finds it: over the label, unseen. A banner that answers
// clicks is a button, which a screen reader's click presses and the game can focus.
function readerFor(readable) {
  let reader = elements.get(readable.id);
  if (reader?.dataset.role !== readable.role) {
    reader?.remove();
    reader = document.createElement("div");
    reader.className = "reader";
    Object.assign(reader.dataset, { id: readable.id, role: readable.role });
    if (readable.role === "pressable") {
      Object.assign(reader, { role: "button", tabIndex: -1 });
      reader.addEventListener("click", () => send("wordrop_activate", readable.id));
    }
    elements.set(readable.id, reader);
  }
  place(reader, readable.box);
  if (reader.textContent !== readable.text) reader.textContent = readable.text;
  return reader;
}

// The page's elements follow the reading order. Only what is out of place moves, so the
// widgets, which keep their order among themselves, keep their focus and caret.
function arrange(reading) {
  const order = reading.map((readable) => readable.role === "widget"
    ? elements.get(readable.id) : readerFor(readable));
  for (const [id, element] of elements) {
    if (element.dataset.role && !order.includes(element)) {
      element.remove();
      elements.delete(id);
    }
  }
  let next = formElement.firstChild.nextSibling;
  for (const element of order) {
    if (element === next) next = next.nextSibling;
    else formElement.insertBefore(element, next);
  }
}

// The form's picture, drawn again when the page scales it (boot.js).
let drawn = null;
function draw(scene = drawn) {
  drawn = scene;
  const [width, height] = scene.size;
  const picture = svg("svg", { width, height, "aria-hidden": "true",
                               "shape-rendering": "crispEdges" }, formElement);
  const deviceScale = window.wordropBoot.deviceScale();
  for (const item of scene.items) {
    DRAW[Object.keys(DRAW).find((kind) => kind in item)](item, picture, deviceScale);
  }
  if (picture !== formElement.firstChild) formElement.firstChild.replaceWith(picture);
}

function render(scene) {
  titleBar.textContent = scene.title;
  formElement.ariaLabel = scene.title;
  const [width, height] = scene.size;
  Object.assign(formElement.style, { width: width + "px", height: height + "px" });
  draw(scene);
  scene.widgets.forEach(syncWidget);
  arrange(scene.reading);
}

// The letter pad: a key for each letter, in capitals as the board shows them, that picks it
// in lower case; each marked as the game says, and usable only while the game takes a pick.
const MARKS = { ".": ["", ""], r: ["right", ", in the word"], w: ["wrong", ", not in the word"] };
function buildPad() {
  for (let code = 97; code <= 122; ++code) {
    const key = document.createElement("button");
    Object.assign(key, { type: "button", textContent: String.fromCharCode(code - 32) });
    key.addEventListener("click", () => send("wordrop_pick", code));
    pad.appendChild(key);
  }
}

function showPad(letters, pick) {
  [...letters].forEach((mark, n) => {
    const key = pad.children[n];
    const [kind, words] = MARKS[mark];
    key.className = kind;
    key.ariaLabel = key.textContent + words;
    key.disabled = !pick;
  });
}

// The page's own line: how to start where a click on the form can, and a new window once
// nothing is left to do in this one.
function showLine(start, over) {
  if (howToStart.hidden === !start && again.hidden === !over) return;
  howToStart.hidden = !start;
  again.hidden = !over;
  window.wordropBoot.fit();
}

function show(answer) {
  if (answer.scene) render(answer.scene);
  if (answer.summary !== undefined) help.textContent = answer.summary;
  if (answer.letters !== undefined) showPad(answer.letters, answer.pick);
  if (answer.start !== undefined) showLine(answer.start, answer.over);
  if (answer.narration) {
    // The same sentence twice in a row is still news: empty the region first.
    narration.textContent = "";
    requestAnimationFrame(() => { narration.textContent = answer.narration; });
  }
  if (answer.error) window.wordropBoot.report(answer.error);
  // "window" is the form itself.
  if (answer.focus !== undefined) (elements.get(answer.focus) || formElement).focus();
  // The form draws no focus of its own: the page marks it where the game says.
  for (const marked of [formElement, ...formElement.querySelectorAll(".keyed")])
    marked.classList.remove("keyed");
  if (answer.marked && formElement.contains(document.activeElement))
    document.activeElement.classList.add("keyed");
  return answer;
}

// Only what an edit changed crosses into the game, so that a key costs as little in a long
// text as in a short one. The selection before it and the caret after it tell where the
// change is; both ends are checked, and where they are not as told (an input method, a
// drop, an undo) the whole text crosses.
function edited(box) {
  const [before, after] = [held.get(box) ?? "", box.value];
  held.set(box, after);
  let front = Math.min(selectionBefore ?? 0, box.selectionStart, before.length, after.length);
  selectionBefore = null;
  let back = Math.min(after.length - box.selectionEnd, before.length - front,
                      after.length - front);
  // Never between the two halves of a character beyond the 16-bit range.
  const half = (text, at, high) => (text.charCodeAt(at) & 0xFC00) === (high ? 0xD800 : 0xDC00);
  if (front > 0 && half(after, front - 1, true)) front--;
  if (back > 0 && half(after, after.length - back, false)) back--;
  if (before.slice(0, front) !== after.slice(0, front) ||
      before.slice(before.length - back) !== after.slice(after.length - back)) {
    [front, back] = [0, 0];
  }
  const id = Number(box.dataset.id);
  send("wordrop_edit", id, front, before.length - front - back, back,
       after.slice(front, after.length - back)) ?? send("wordrop_type", id, after);
}

// Strings cross as UTF-8, with their length where they may hold any character. Null where
// the game answers nothing.
function send(name, ...args) {
  const pointers = [];
  const values = args.flatMap((value) => {
    if (typeof value !== "string") return [value];
    // Half a character (a key may type its two halves one by one) crosses as U+FFFD, one
    // unit as in the box, so that the next edit's units still fit the game's text.
    value = value.toWellFormed();
    // Room enough for any text (three bytes at most for each UTF-16 unit), written in one
    // pass: measuring a long text first would cost as much again.
    const room = value.length * 3 + 1;
    pointers.push(game._malloc(room));
    const length = game.stringToUTF8(value, pointers.at(-1), room);
    return ANY_TEXT.has(name) ? [pointers.at(-1), length] : [pointers.at(-1)];
  });
  try {
    const answer = game["_" + name](...values);
    return answer ? show(JSON.parse(game.UTF8ToString(answer))) : null;
  } finally {
    pointers.forEach((pointer) => game._free(pointer));
  }
}

function listen() {
  // A press the form takes is kept from the widgets and leaves the focus where it was. The
  // page may draw the form scaled: points go back to the form's own pixels. Wherever the
  // pointer is let go: outside the form it ends no click.
  const inForm = (event) => {
    const bounds = formElement.getBoundingClientRect();
    const scale = bounds.width / formElement.offsetWidth || 1;
    return [(event.clientX - bounds.left) / scale, (event.clientY - bounds.top) / scale];
  };
  // A touch is the browser's to aim: its tap goes to the one target the browser picks, a
  // widget near the finger or else what is under it, and reaches the game as that widget's
  // click or as a tap on the form. A touch that began with the text box focused had the
  // on-screen keyboard up.
  let keyboardUp = false;
  const pointer = (motion) => (event) => {
    if (event.button > 0) return;
    if (event.pointerType === "touch") {
      if (motion === 0) keyboardUp = document.activeElement?.matches("#form input") ?? false;
      return;
    }
    const answer = send("wordrop_pointer", motion, ...inForm(event));
    if (answer.used) event.preventDefault();
  };
  formElement.addEventListener("pointerdown", pointer(0));
  window.addEventListener("pointerup", pointer(1));
  window.addEventListener("pointercancel", pointer(2));
  formElement.addEventListener("click", (event) => {
    if (event.pointerType !== "touch" || event.target.closest("input, button")) return;
    const answer = send("wordrop_tap", ...inForm(event), keyboardUp);
    if (answer.used) event.preventDefault();
  });
  window.addEventListener("blur", () => game._wordrop_deactivate());
  // Every key goes to the game first; what it leaves is the browser's, and so are the keys
  // that close a window, which a page cannot do.
  const key = (release) => (event) => {
    const modifiers = event.shiftKey | event.ctrlKey << 1 | event.altKey << 2 | event.metaKey << 3;
    const answer = send("wordrop_key", release, event.key, event.code, modifiers, event.repeat,
                        event.isComposing || event.keyCode === 229);
    if (answer.used && !answer.close) event.preventDefault();
  };
  document.addEventListener("keydown", key(0), true);
  document.addEventListener("keyup", key(1), true);
  // The focus on a widget or a banner (0), on the form itself (1, the window), or out of
  // the form on one of the page's own controls (2). Where nothing has it (the page's
  // background took a click, or the browser's window lost it), the keys are the window's, as
  // when the page opened; a focus coming back is told again.
  const place = (element) => element === formElement || !element ? [1, -1]
    : formElement.contains(element) ? [0, Number(element.dataset.id)] : [2, -1];
  document.addEventListener("focusin", (event) => send("wordrop_focus", ...place(event.target)));
  document.addEventListener("focusout", (event) => {
    if (!event.relatedTarget) send("wordrop_focus", ...place(null));
  });
}

// Without boot.js, nothing else is left to say what failed.
function bootMissing() {
  const message = "The game could not be loaded: boot.js did not arrive. " +
    "Check the connection and reload the page.";
  const box = document.getElementById("error");
  box.appendChild(document.createElement("p")).textContent = message;
  box.hidden = false;
  document.getElementById("status").hidden = true;
  console.error(message);
}

async function start() {
  // The page (boot.js) fetches the program, says what failed, and fits the form to the
  // window. The start screen has no text, so it is drawn before any face arrives.
  const boot = window.wordropBoot;
  if (!boot) return bootMissing();
  if (!boot.canStart()) return;
  try {
    game = await createWordrop(boot.program);
  } catch (error) {
    boot.failed(error);
    return;
  }
  listen();
  buildPad();
  boot.scaled(() => drawn && draw());
  show(JSON.parse(game.UTF8ToString(game._wordrop_start())));
  formElement.tabIndex = -1;
  // The window opened again: a new form, drawn afresh.
  again.addEventListener("click", () => {
    for (const element of elements.values()) element.remove();
    elements.clear();
    formElement.replaceChildren();
    show(JSON.parse(game.UTF8ToString(game._wordrop_start())));
    formElement.focus();
  });
  // The browser suite's way to make the form fail, as the desktop's tests can: only the
  // program built for the suite has it.
  if (game._wordrop_fail_operation) {
    window.wordropTesting = {
      failOperation: (n) => game._wordrop_fail_operation(n),
      drawFigurePiece: (n) => show(JSON.parse(game.UTF8ToString(game._wordrop_draw_figure_piece(n)))),
    };
  }
  boot.started();
  // Captions measured before a face arrived are measured again once it is in, and so when
  // a typed guess brings in more of a face.
  await boot.faces(() => send("wordrop_faces_changed"));
  send("wordrop_faces_changed");
  document.body.dataset.ready = "true";
}
start();
