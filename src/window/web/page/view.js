// SPDX-License-Identifier: MIT
// The page's view of the form: it draws the scenes the game hands it and hands the game
// every click, key and keystroke. It decides nothing about the game.
"use strict";

const SVG = "http://www.w3.org/2000/svg";
const formElement = document.getElementById("form");
const narration = document.getElementById("narration");
const errorBox = document.getElementById("error");
const widgets = new Map();  // control id -> <input> or <button>
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

// Pens sit on the middle of a pixel, so a one-pixel line fills whole pixels.
function drawPrimitive(p, parent) {
  const pen = { stroke: p.stroke, "stroke-width": 1, "shape-rendering": "crispEdges" };
  if (p.circle) {
    const [cx, cy, r] = p.circle;
    svg("circle", { cx: cx + 0.5, cy: cy + 0.5, r, fill: p.fill || "none", ...pen }, parent);
  } else {
    const [x1, y1, x2, y2] = p.line;
    svg("line", { x1: x1 + 0.5, y1: y1 + 0.5, x2: x2 + 0.5, y2: y2 + 0.5, ...pen }, parent);
  }
}

function captionOf(control) {
  return (control.lines || []).map((line) => line[2]).join(" ").trim();
}

function drawLabel(control, parent) {
  const [x, y, width, height] = control.box;
  // A nested picture clips the caption to the label's box.
  const box = svg("svg", { x, y, width, height, overflow: "hidden" }, parent);
  svg("rect", { width, height, fill: control.back }, box);
  const text = captionOf(control);
  if (!text || !control.seen) {
    box.setAttribute("aria-hidden", "true");
    return;
  }
  if (control.clickable) {
    box.setAttribute("role", "button");
    box.setAttribute("aria-label", text);
  }
  for (const [lineX, baseline, line] of control.lines) {
    const element = svg("text", { x: lineX, y: baseline, fill: control.fore }, box);
    element.style.font = control.font;
    element.style.whiteSpace = "pre";
    element.textContent = line;
  }
}

function drawControl(control, parent) {
  const [x, y, width, height] = control.box;
  if (control.kind === "Label") {
    drawLabel(control, parent);
  } else if (control.kind === "Shape") {
    const rounded = control.rounded ? { rx: width / 4, ry: width / 4 } : {};
    svg("rect", { x, y, width, height, fill: control.back, "aria-hidden": "true", ...rounded },
        parent);
  } else if (control.kind === "Line") {
    const [x1, y1, x2, y2] = control.ends;
    svg("line", { x1: x1 + 0.5, y1: y1 + 0.5, x2: x2 + 0.5, y2: y2 + 0.5, stroke: control.fore,
                  "stroke-width": 1, "shape-rendering": "crispEdges", "aria-hidden": "true" },
        parent);
  }
}

// "&Ok!" shows as "Ok!" with the O underlined, and Alt+O presses it.
function setAccessKeyCaption(button, caption) {
  const at = caption.indexOf("&");
  button.textContent = "";
  if (at < 0 || at + 1 >= caption.length) {
    button.textContent = caption;
    return;
  }
  const key = document.createElement("u");
  key.textContent = caption[at + 1];
  button.append(caption.slice(0, at), key, caption.slice(at + 2));
  button.accessKey = caption[at + 1].toLowerCase();
  button.setAttribute("aria-keyshortcuts", "Alt+" + caption[at + 1].toUpperCase());
}

function widgetFor(control) {
  let widget = widgets.get(control.id);
  if (widget) return widget;
  if (control.kind === "TextBox") {
    widget = document.createElement("input");
    widget.type = "text";
    widget.spellcheck = false;
    widget.autocomplete = "off";
    // A guess is compared as typed: a phone's keyboard must not capitalise, correct or
    // complete it.
    widget.setAttribute("autocapitalize", "off");
    widget.setAttribute("autocorrect", "off");
    widget.addEventListener("input", () => send("wordrop_type", control.id, widget.value));
    widget.addEventListener("keydown", (event) => {
      // Enter presses Ok! and goes no further, where it could press a banner just shown.
      if (event.key === "Enter") {
        event.preventDefault();
        event.stopPropagation();
        send("wordrop_press_default_button");
      }
    });
  } else {
    widget = document.createElement("button");
    widget.type = "button";
    widget.addEventListener("click", () => send("wordrop_click_control", control.id));
    widget.addEventListener("keydown", (event) => event.stopPropagation());
  }
  const [x, y, width, height] = control.box;
  Object.assign(widget.style, { left: x + "px", top: y + "px", width: width + "px",
                                height: height + "px", font: control.font,
                                background: control.back, color: control.fore });
  widget.tabIndex = 0;
  widgets.set(control.id, widget);
  return widget;
}

function syncWidget(control, labels) {
  const widget = widgetFor(control);
  if (control.kind === "TextBox") {
    if (control.text !== undefined && widget.value !== control.text) widget.value = control.text;
    const label = labels.get(control.labelledBy);
    if (label) widget.setAttribute("aria-label", captionOf(label));
  } else {
    setAccessKeyCaption(widget, control.caption);
  }
  widget.hidden = !control.visible;
  return widget;
}

function render(scene) {
  document.title = scene.title;
  Object.assign(formElement.style, { width: scene.size[0] + "px", height: scene.size[1] + "px",
                                     background: scene.back });
  const picture = svg("svg", { width: scene.size[0], height: scene.size[1] });
  for (const primitive of scene.drawing) drawPrimitive(primitive, picture);
  const labels = new Map(scene.controls.map((c) => [c.id, c]));
  const widgetsByTab = [];
  for (const control of scene.controls) {
    if (control.kind === "TextBox" || control.kind === "CommandButton") {
      widgetsByTab.push([control.tab, syncWidget(control, labels)]);
    } else if (control.visible) {
      drawControl(control, picture);
    }
  }
  // Only the picture is replaced: the widgets keep their place, focus and caret, over
  // everything painted and in their tab order.
  if (formElement.firstChild) {
    formElement.firstChild.replaceWith(picture);
  } else {
    widgetsByTab.sort((a, b) => a[0] - b[0]);
    formElement.replaceChildren(picture, ...widgetsByTab.map(([, widget]) => widget));
  }
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
  tell(answer.narration);
  if (answer.error) {
    console.error(answer.error);
    errorBox.textContent = answer.error;
    errorBox.hidden = false;
  }
}

function send(name, ...args) {
  const pointers = [];
  const values = args.map((value) => {
    if (typeof value !== "string") return value;
    const size = game.lengthBytesUTF8(value) + 1;
    const pointer = game._malloc(size);
    game.stringToUTF8(value, pointer, size);
    pointers.push(pointer);
    return pointer;
  });
  try {
    show(JSON.parse(game.UTF8ToString(game["_" + name](...values))));
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

function listen() {
  formElement.addEventListener("pointerdown", (event) => {
    if (event.button !== 0 || event.target.closest("input, button")) return;
    event.preventDefault();  // keeps the focus where it was, as a click on a label does
    send("wordrop_press", ...formPoint(event));
  });
  formElement.addEventListener("pointerup", (event) => {
    if (event.button !== 0 || event.target.closest("input, button")) return;
    send("wordrop_release", ...formPoint(event));
  });
  document.addEventListener("keydown", (event) => {
    const inWidget = event.target.closest && event.target.closest("#form input, #form button");
    const key = (event.ctrlKey ? "Ctrl+" : "") + (event.altKey ? "Alt+" : "") +
                (event.shiftKey ? "Shift+" : "") + (event.metaKey ? "Meta+" : "") + event.key;
    if (key === "F2" || key === "Ctrl+n" || key === "Ctrl+N") {
      event.preventDefault();
      send("wordrop_press_key", 0);
    } else if ((key === "Enter" || key === " ") && !inWidget) {
      // Return and Space press a banner; in the text box they type, on Ok! they press it.
      event.preventDefault();
      send("wordrop_press_key", 1);
    } else if (event.altKey && !event.ctrlKey && !event.metaKey) {
      const button = [...widgets.values()].find((widget) => widget.accessKey &&
        widget.accessKey === event.key.toLowerCase() && !widget.hidden);
      if (button) {
        event.preventDefault();
        button.click();
      }
    }
  });
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
  const scene = JSON.parse(game.UTF8ToString(game._wordrop_start()));
  render(scene);
  formElement.setAttribute("aria-label", scene.title);
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
