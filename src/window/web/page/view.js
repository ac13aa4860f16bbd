// SPDX-License-Identifier: MIT
// The page's view of the form: it draws the scenes the game hands it, in the order given,
// and hands the game every pointer event, key and keystroke. It decides nothing about the
// game: what a key or a click means, what is drawn where and what is read aloud in which
// order are all the scene's and the game's.
"use strict";

const SVG = "http://www.w3.org/2000/svg";
const formElement = document.getElementById("form");
const help = document.getElementById("how-to-play");
const narration = document.getElementById("narration");
const errorBox = document.getElementById("error");
const widgets = new Map();  // control id -> <input> or <button>
const readers = new Map();  // control id -> the element a screen reader reads a label by
let game = null;

// Text is measured with the same fonts the page draws with.
const measuring = document.createElement("canvas").getContext("2d");
const fontMetrics = new Map();
function measureText(font, text) {
  measuring.font = font;
  let metrics = fontMetrics.get(font);
  if (!metrics) {
    const m = measuring.measureText("");
    metrics = { ascent: m.fontBoundingBoxAscent,
                lineHeight: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent };
    fontMetrics.set(font, metrics);
  }
  return { advance: text ? measuring.measureText(text).width : 0, ...metrics };
}

function svg(name, attributes, parent) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (parent) parent.appendChild(element);
  return element;
}

function drawItem(item, picture) {
  const pen = { stroke: item.stroke, "stroke-width": item.width, "stroke-linecap": "square" };
  if (item.rect) {
    const [x, y, width, height] = item.rect;
    const corners = item.radius ? { rx: item.radius, ry: item.radius } : {};
    svg("rect", { x, y, width, height, fill: item.fill, ...corners }, picture);
  } else if (item.line) {
    const [x1, y1, x2, y2] = item.line;
    svg("line", { x1, y1, x2, y2, ...pen }, picture);
  } else if (item.circle) {
    const [cx, cy, r] = item.circle;
    svg("circle", { cx, cy, r, fill: item.fill || "none", ...pen }, picture);
  } else if (item.text !== undefined) {
    // A nested picture cuts the text off at its label's edges.
    const [x, y, width, height] = item.clip;
    const box = svg("svg", { x, y, width, height, overflow: "hidden" }, picture);
    const text = svg("text", { x: item.at[0] - x, y: item.at[1] - y, fill: item.fill }, box);
    text.style.font = item.font;
    text.style.whiteSpace = "pre";
    text.textContent = item.text;
  }
}

function place(element, [x, y, width, height]) {
  Object.assign(element.style, { left: x + "px", top: y + "px", width: width + "px",
                                 height: height + "px" });
}

function widgetFor(slot) {
  let widget = widgets.get(slot.id);
  if (widget) return widget;
  if (slot.kind === "textbox") {
    widget = document.createElement("input");
    widget.type = "text";
    widget.spellcheck = false;
    widget.autocomplete = "off";
    // A guess is compared as typed: a phone's keyboard must not capitalise, correct or
    // complete it.
    widget.setAttribute("autocapitalize", "off");
    widget.setAttribute("autocorrect", "off");
    widget.addEventListener("input", () => send("wordrop_type", slot.id, widget.value));
  } else {
    widget = document.createElement("button");
    widget.type = "button";
    widget.addEventListener("click", () => send("wordrop_activate", slot.id));
  }
  widget.dataset.id = slot.id;
  place(widget, slot.box);
  Object.assign(widget.style, { font: slot.font, background: slot.back, color: slot.fore });
  // The scene lists the widgets in their tab order.
  widget.tabIndex = widgets.size + 1;
  widgets.set(slot.id, widget);
  formElement.append(widget);
  return widget;
}

function syncWidget(slot) {
  const widget = widgetFor(slot);
  if (slot.kind === "textbox") {
    if (slot.text !== undefined && widget.value !== slot.text) widget.value = slot.text;
    widget.setAttribute("aria-label", slot.name);
  } else {
    const [before, key, after] = slot.caption;
    const underlined = document.createElement("u");
    underlined.textContent = key;
    widget.replaceChildren(before, underlined, after);
  }
  if (slot.shortcut) widget.setAttribute("aria-keyshortcuts", slot.shortcut);
  widget.hidden = !slot.visible;
}

// A label's text as a screen reader finds it: over the label, in reading order, unseen.
// A banner that answers clicks is a button, pressed by a screen reader's click.
function readerFor(item) {
  let reader = readers.get(item.id);
  if (!reader || reader.dataset.role !== item.role) {
    reader?.remove();
    reader = document.createElement("div");
    reader.className = "reader";
    reader.dataset.id = item.id;
    reader.dataset.role = item.role;
    if (item.role === "pressable") {
      reader.setAttribute("role", "button");
      reader.tabIndex = -1;
      reader.addEventListener("click", () => send("wordrop_activate", item.id));
    }
    readers.set(item.id, reader);
  }
  place(reader, item.box);
  if (reader.textContent !== item.text) reader.textContent = item.text;
  return reader;
}

// The page's elements follow the reading order. Only what is out of place moves, so the
// widgets, which keep their order among themselves, keep their focus and caret.
function arrange(reading) {
  const wanted = new Set(reading.filter((item) => item.role !== "widget").map((i) => i.id));
  for (const [id, reader] of readers) {
    if (!wanted.has(id)) {
      reader.remove();
      readers.delete(id);
    }
  }
  const order = reading.map((item) => item.role === "widget" ? widgets.get(item.id)
                                                             : readerFor(item));
  let next = formElement.firstChild.nextSibling;
  for (const element of order) {
    if (element === next) next = next.nextSibling;
    else formElement.insertBefore(element, next);
  }
}

function render(scene) {
  document.title = scene.title;
  const [width, height] = scene.size;
  Object.assign(formElement.style, { width: width + "px", height: height + "px" });
  const picture = svg("svg", { width, height, "aria-hidden": "true",
                               "shape-rendering": "crispEdges" });
  for (const item of scene.items) drawItem(item, picture);
  if (formElement.firstChild) formElement.firstChild.replaceWith(picture);
  else formElement.append(picture);
  for (const slot of scene.widgets) syncWidget(slot);
  arrange(scene.reading);
}

function tell(text) {
  if (!text) return;
  // The same sentence twice in a row is still news: empty the region first.
  narration.textContent = "";
  requestAnimationFrame(() => { narration.textContent = text; });
}

// An input that changed nothing on the form answers without a scene.
function show(answer) {
  if (answer.scene) render(answer.scene);
  if (answer.summary !== undefined) help.textContent = answer.summary;
  tell(answer.narration);
  if (answer.error) {
    console.error(answer.error);
    errorBox.textContent = answer.error;
    errorBox.hidden = false;
  }
  return answer;
}

// Strings cross as UTF-8 with their length, whatever characters they hold.
function send(name, ...args) {
  const pointers = [];
  const values = args.flatMap((value) => {
    if (typeof value !== "string") return [value];
    const length = game.lengthBytesUTF8(value);
    const pointer = game._malloc(length + 1);
    game.stringToUTF8(value, pointer, length + 1);
    pointers.push(pointer);
    return name === "wordrop_type" ? [pointer, length] : [pointer];
  });
  try {
    return show(JSON.parse(game.UTF8ToString(game["_" + name](...values))));
  } finally {
    pointers.forEach((pointer) => game._free(pointer));
  }
}

function formPoint(event) {
  const bounds = formElement.getBoundingClientRect();
  // The page may draw the form scaled to fit the window: back to the form's own pixels.
  const scale = bounds.width / formElement.offsetWidth || 1;
  return [(event.clientX - bounds.left) / scale, (event.clientY - bounds.top) / scale];
}

const POINTER_DOWN = 0;
const POINTER_UP = 1;
const POINTER_CANCEL = 2;

function focusedControl() {
  const id = document.activeElement && document.activeElement.dataset
    ? document.activeElement.dataset.id : undefined;
  return id === undefined ? -1 : Number(id);
}

function listen() {
  formElement.addEventListener("pointerdown", (event) => {
    if (event.button !== 0) return;
    // A press off the widgets keeps the focus where it was, as a click on a label does.
    if (!event.target.closest("input, button")) event.preventDefault();
    send("wordrop_pointer", POINTER_DOWN, ...formPoint(event));
  });
  // Wherever the pointer is let go: outside the form it ends no click.
  window.addEventListener("pointerup", (event) => {
    if (event.button === 0) send("wordrop_pointer", POINTER_UP, ...formPoint(event));
  });
  window.addEventListener("pointercancel", () => send("wordrop_pointer", POINTER_CANCEL, 0, 0));
  window.addEventListener("blur", () => send("wordrop_pointer", POINTER_CANCEL, 0, 0));
  // Every key goes to the game's key table first; what it leaves is the browser's.
  document.addEventListener("keydown", (event) => {
    const modifiers = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
                      (event.altKey ? 4 : 0) | (event.metaKey ? 8 : 0);
    const composing = event.isComposing || event.keyCode === 229;
    const answer = send("wordrop_key", event.key, event.code, modifiers, event.repeat ? 1 : 0,
                        composing ? 1 : 0, focusedControl());
    if (answer.consumed) event.preventDefault();
  }, true);
}

async function start() {
  // The page (boot.js) fetches the program, says what failed, and fits the form to the
  // window. The start screen has no text, so it is drawn before any face arrives.
  const boot = window.wordropBoot;
  if (!boot.canStart) return;
  try {
    game = await createWordrop({ measureText, ...boot.program });
  } catch (error) {
    boot.failed(error);
    return;
  }
  listen();
  show(JSON.parse(game.UTF8ToString(game._wordrop_start())));
  formElement.setAttribute("aria-label", document.title);
  // The browser suite's way to make the form fail, as the desktop's tests can: only the
  // program built for the suite has it.
  if (game._wordrop_fail_operation)
    window.wordropTesting = { failOperation: (n) => game._wordrop_fail_operation(n) };
  boot.started();
  // Captions measured before a face arrived are measured again once it is in, and so when
  // a typed guess brings in more of a face.
  const relayout = () => {
    fontMetrics.clear();
    send("wordrop_relayout");
  };
  document.fonts.addEventListener("loadingdone", relayout);
  await boot.faces();
  relayout();
  document.body.dataset.ready = "true";
}

window.addEventListener("error", (event) => {
  errorBox.textContent = String(event.message);
  errorBox.hidden = false;
});
start();
