// SPDX-License-Identifier: MIT
// Keys as each engine delivers them on Linux. In Chromium, sent over the DevTools protocol:
// the modifiers' own downs, a raw key down, a char event where the key types something
// (marked as a system key with Alt), auto-repeated downs while the key is held, then the
// ups. In Firefox and WebKit, as WebDriver's key actions, where a second down of a key
// already down is an auto-repeat; WebKitWebDriver drops it, so a key held in WebKit is held
// on its X server instead, which repeats it: 660 ms, then 25 times a second.
const CDP_MODIFIERS = { Alt: 1, Ctrl: 2, Meta: 4, Shift: 8 };
const MODIFIER_KEYS = {
  Alt: { key: "Alt", code: "AltLeft", windowsVirtualKeyCode: 18 },
  Ctrl: { key: "Control", code: "ControlLeft", windowsVirtualKeyCode: 17 },
  Shift: { key: "Shift", code: "ShiftLeft", windowsVirtualKeyCode: 16 },
};
const NAMED = {
  F2: { key: "F2", code: "F2", windowsVirtualKeyCode: 113 },
  Enter: { key: "Enter", code: "Enter", windowsVirtualKeyCode: 13, text: "\r" },
  Space: { key: " ", code: "Space", windowsVirtualKeyCode: 32, text: " " },
  Tab: { key: "Tab", code: "Tab", windowsVirtualKeyCode: 9 },
};

function keyNamed(name, modifiers) {
  if (NAMED[name]) return NAMED[name];
  const letter = name.toUpperCase();
  const typed = modifiers & CDP_MODIFIERS.Ctrl
    ? String.fromCharCode(letter.charCodeAt(0) - 64)  // Ctrl+N types a control character
    : letter.toLowerCase();
  return { key: letter.toLowerCase(), code: "Key" + letter,
           windowsVirtualKeyCode: letter.charCodeAt(0), text: typed };
}

// "Enter", "Ctrl+N", "Alt+O", or any of them held for auto-repeats: "Enter+held5", pressed
// in a page of any engine.
export async function pressKey(page, name) {
  const [, combo, held] = name.match(/^(.*?)(?:\+held(\d+))?$/);
  const parts = combo.split("+");
  const key = parts.pop();
  if (page.engine !== "chromium") return pressByWebDriver(page, parts, key, Number(held || 0));
  page.cdp ??= await page.createCDPSession();
  const cdp = page.cdp;
  let modifiers = 0;
  const send = (params) => cdp.send("Input.dispatchKeyEvent", { modifiers, ...params });
  for (const modifier of parts) {
    modifiers |= CDP_MODIFIERS[modifier];
    await send({ type: "rawKeyDown", ...MODIFIER_KEYS[modifier] });
  }
  const { text, ...fields } = keyNamed(key, modifiers);
  const down = async (autoRepeat) => {
    await send({ type: "rawKeyDown", autoRepeat, ...fields });
    if (text) {
      await send({ type: "char", autoRepeat, text, unmodifiedText: text,
                   isSystemKey: (modifiers & CDP_MODIFIERS.Alt) !== 0, ...fields });
    }
  };
  await down(false);
  for (let k = 0; k < Number(held || 0); k++) await down(true);
  await send({ type: "keyUp", ...fields });
  for (const modifier of parts.reverse()) {
    modifiers &= ~CDP_MODIFIERS[modifier];
    await send({ type: "keyUp", ...MODIFIER_KEYS[modifier] });
  }
}

const X_KEYS = { Enter: "Return", Space: "space", Alt: "alt", Ctrl: "ctrl", Shift: "shift" };

async function pressByWebDriver(page, modifiers, key, repeats) {
  if (repeats && page.holdKeys) {
    const keys = [...modifiers, key].map((part) => X_KEYS[part] ?? part.toLowerCase());
    return page.holdKeys(keys.join("+"), 660 + repeats * 40);
  }
  const name = (part) => (MODIFIER_KEYS[part] ?? NAMED[part])?.key ?? part.toLowerCase();
  for (const modifier of modifiers) await page.keyboard.down(name(modifier));
  for (let k = 0; k <= repeats; k++) await page.keyboard.down(name(key));
  await page.keyboard.up(name(key));
  for (const modifier of modifiers.reverse()) await page.keyboard.up(name(modifier));
}

// Text composed by an input method (a phone's keyboard too), ended by a key the input method
// takes: its keys reach the page as the "Process" key.
// Chromium's alone: the DevTools protocol's input method.
export async function typeWhileComposing(page, text) {
  page.cdp ??= await page.createCDPSession();
  const cdp = page.cdp;
  const process = { key: "Process", code: "Enter", windowsVirtualKeyCode: 229 };
  await cdp.send("Input.imeSetComposition", { text, selectionStart: text.length,
                                               selectionEnd: text.length });
  await cdp.send("Input.dispatchKeyEvent", { type: "rawKeyDown", ...process });
  await cdp.send("Input.insertText", { text });
  await cdp.send("Input.dispatchKeyEvent", { type: "keyUp", ...process });
}
