// The page around the game: it places the label and the buttons where the game's layout says,
// turns clicks, taps and keys into the game's actions, and steps the game on the display's
// frames. Everything the game decides stays in the game, holding input while a picture paints
// too.
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);
  const els = {
    game: $("game"), picture: $("picture"), label: $("label"), labelText: $("label-text"),
    hint: $("hint"), buttons: $("buttons"), notice: $("notice"), error: $("error"),
    menu: $("menu"), menuButton: $("menu-button"), about: $("about"), safeArea: $("safe-area"),
  };
  const context = els.picture.getContext("2d", { alpha: false });
  // Private windows, pages from disk and full quotas may refuse any access at any time: the game
  // then plays on without remembering.
  const storage = {
    get(key) {
      try {
        return window.localStorage.getItem(key);
      } catch {
        return null;
      }
    },
    set(key, value) {
      try {
        window.localStorage.setItem(key, value);
      } catch {
        // not remembered
      }
    },
  };
  const ViewKey = "brumox.view";

  // What the page counts, for its tests and benchmarks.
  const stats = {
    presents: 0, frames: 0, framesWithTwoPresents: 0, performed: [], durations: [], readyMs: null,
  };
  let presentsThisFrame = 0;

  let module = null;
  let api = null;
  let tables = null;
  let layout = null;
  let view = "fit";
  let canvasScale = 1;
  let settleTimer = 0;
  let halted = false;
  let started = false;
  let captionText = "";

  // ---- The game's clock, which stands still while the tab is hidden. ----
  let hiddenSince = document.hidden ? performance.now() : null;
  let hiddenTotal = 0;
  document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
      hiddenSince = performance.now();
    } else if (hiddenSince !== null) {
      hiddenTotal += performance.now() - hiddenSince;
      hiddenSince = null;
    }
  });

  // ---- Frames: the game steps and shows its picture once per display frame. ----
  let frameWanted = false;
  function wantFrame() {
    if (!frameWanted) {
      frameWanted = true;
      requestAnimationFrame(onFrame);
    }
  }
  function onFrame(time) {
    frameWanted = false;
    stats.frames += 1;
    if (presentsThisFrame > 1) stats.framesWithTwoPresents += 1;
    presentsThisFrame = 0;
    if (halted) return;
    if (api.advance(time - hiddenTotal)) wantFrame();
    if (stats.readyMs === null) ready();
  }

  // ---- What the game calls. ----
  const page = {
    wantFrames: wantFrame,
    played(action, ms) {
      stats.performed.push(tables.actions[action].step);
      stats.durations.push(ms);
      afterAction();
    },
    failed: (message) => fail(message),
    present(heap, pointer, x, y, width, height, deviceWidth, deviceHeight) {
      if (els.picture.width !== deviceWidth || els.picture.height !== deviceHeight) {
        els.picture.width = deviceWidth;
        els.picture.height = deviceHeight;
        placePicture();
      }
      const bytes = new Uint8ClampedArray(heap.buffer, pointer, width * height * 4);
      context.putImageData(new ImageData(bytes, width, height), x, y);
      presentsThisFrame += 1;
      stats.presents += 1;
    },
    setCaption(text) {
      captionText = text;
      if (layout) setCaption(els.labelText, text, layout.label.caption, 0);
    },
    setLabelVisible(visible) {
      els.label.hidden = !visible;
    },
    setButtonVisible(action, visible) {
      const button = buttonFor(action);
      if (!visible && document.activeElement === button) els.game.focus();
      button.hidden = !visible;
    },
  };

  // ---- Captions: laid out in the design's box at the design's font size, then scaled. ----
  const measurer = document.createElement("canvas").getContext("2d");
  const ButtonPadding = 4;
  // Breaks the text into the lines the desktop gives it: greedy, at spaces, the spaces at a
  // break staying at the end of the line they follow.
  function captionLines(text, fontPixels, width) {
    measurer.font = `bold ${fontPixels}px BrumoxSans`;
    const fits = (line) => measurer.measureText(line.trimEnd()).width <= width;
    const lines = [];
    let line = "";
    for (const token of text.match(/\s+|\S+/g) || []) {
      if (/^\s/.test(token) || line.trim() === "" || fits(line + token)) {
        line += token;
      } else {
        lines.push(line.trimEnd());
        line = token;
      }
    }
    lines.push(line);
    return lines;
  }
  function setCaption(element, text, caption, padding) {
    element.textContent = captionLines(text, caption.font, caption.box[0] - 2 * padding).join("\n");
  }
  // Lines as far apart as the desktop sets them: the font's ascent and descent at this size,
  // each rounded up to whole pixels (the page's style sheet has them from the font file).
  function lineHeight(fontPixels) {
    const metric = (name) => parseFloat(getComputedStyle(document.documentElement)
      .getPropertyValue(`--font-${name}`));
    return `${Math.ceil(metric("ascent") * fontPixels) + Math.ceil(metric("descent") * fontPixels)}px`;
  }
  function placeCaption(element, host, caption) {
    const [width, height] = caption.box;
    Object.assign(element.style, {
      width: `${width}px`,
      height: `${height}px`,
      fontSize: `${caption.font}px`,
      lineHeight: lineHeight(caption.font),
      left: `${(host[2] - width) / 2}px`,
      top: `${(host[3] - height) / 2}px`,
      transform: `scale(${caption.scale})`,
    });
  }

  // ---- Layout. ----
  function buttonFor(action) {
    return els.buttons.querySelector(`[data-action="${action}"]`);
  }
  function place(element, rect) {
    Object.assign(element.style, {
      left: `${rect[0]}px`, top: `${rect[1]}px`, width: `${rect[2]}px`, height: `${rect[3]}px`,
    });
  }
  function windowSize() {
    return [Math.max(1, Math.floor(window.innerWidth)), Math.max(1, Math.floor(window.innerHeight))];
  }
  const pixelRatio = () => window.devicePixelRatio || 1;
  // A finger wants larger captions and targets; the game's layout decides how much larger.
  const coarse = () => matchMedia("(pointer: coarse)").matches;
  const menuSide = () => (coarse() ? 44 : 32);
  // The screen's safe area (clear of a notch or rounded corners), as CSS pixels from each edge.
  function safeInsets() {
    const style = getComputedStyle(els.safeArea);
    const inset = (side) => Math.ceil(parseFloat(style[`padding${side}`]) || 0);
    return { left: inset("Left"), top: inset("Top"), right: inset("Right"), bottom: inset("Bottom") };
  }
  // The part of the window inside the safe area, where the game lays itself out.
  function gameBox() {
    const [width, height] = windowSize();
    const inset = safeInsets();
    return [inset.left, inset.top, Math.max(1, width - inset.left - inset.right),
      Math.max(1, height - inset.top - inset.bottom)];
  }
  const describeLayout = (width, height) =>
    JSON.parse(api.layout(width, height, view === "fit" ? 1 : 0, pixelRatio(), coarse() ? 1 : 0,
      menuSide()));
  // The canvas covers whole device pixels: its corner on a device pixel, its CSS size its
  // backing store's size over the pixel ratio (stretched only until a new scale settles).
  function placePicture() {
    if (!layout) return;
    const ratio = pixelRatio();
    const cover = layout.zoom / canvasScale;
    Object.assign(els.picture.style, {
      left: `${Math.round(layout.origin[0] * ratio) / ratio}px`,
      top: `${Math.round(layout.origin[1] * ratio) / ratio}px`,
      width: `${els.picture.width * cover}px`,
      height: `${els.picture.height * cover}px`,
    });
  }
  // Where the browser tells the canvas's size in device pixels, the CSS size is nudged until
  // the backing store covers exactly those. A box further off than rounding is not in device
  // pixels (the developer tools' emulated pixel ratio reports CSS pixels): nudging by it would
  // grow the canvas without end.
  const RoundingSlack = 2;
  function nudgePicture(deviceWidth, deviceHeight) {
    if (Math.abs(deviceWidth - els.picture.width) > RoundingSlack ||
        Math.abs(deviceHeight - els.picture.height) > RoundingSlack) return;
    const ratio = pixelRatio();
    const style = els.picture.style;
    if (deviceWidth !== els.picture.width)
      style.width = `${parseFloat(style.width) + (els.picture.width - deviceWidth) / ratio}px`;
    if (deviceHeight !== els.picture.height)
      style.height = `${parseFloat(style.height) + (els.picture.height - deviceHeight) / ratio}px`;
  }
  function relayout() {
    if (!api) return;
    const box = gameBox();
    layout = describeLayout(box[2], box[3]);
    place(els.game, box);
    placeMenu(box);
    place(els.label, layout.label.rect);
    placeCaption(els.labelText, layout.label.rect, layout.label.caption);
    setCaption(els.labelText, captionText, layout.label.caption, 0);
    for (const entry of layout.buttons) {
      const button = buttonFor(entry.action);
      place(button, entry.rect);
      const caption = button.firstElementChild;
      placeCaption(caption, entry.rect, entry.caption);
      setCaption(caption, tables.actions[entry.action].caption, entry.caption, ButtonPadding);
      button.style.setProperty("--ring", `${Math.max(2, Math.floor(entry.rect[3] / 24))}px`);
    }
    placeHint();
    if (started) api.showPicture(layout.client[0], layout.client[1], canvasScale);
    placePicture();
    clearTimeout(settleTimer);
    settleTimer = setTimeout(settle, 100);
  }
  // The menu button where the layout keeps room for it, its menu below it.
  function placeMenu([left, top]) {
    const [x, y, width, height] = layout.menu;
    place(els.menuButton, [left + x, top + y, width, height]);
    Object.assign(els.menu.style, {
      top: `${top + y + height + 4}px`,
      right: `${Math.max(0, window.innerWidth - (left + x + width))}px`,
    });
  }
  function placeHint() {
    const hint = layout.hint;
    place(els.hint, hint.rect);
    els.hint.textContent = hint.text;
    els.hint.classList.toggle("in-panel", layout.panel);
    Object.assign(els.hint.style, { fontSize: `${hint.font}px`, lineHeight: `${hint.rect[3]}px` });
  }
  // Once a resize has settled: the picture sharp at the new scale.
  function settle() {
    if (!started || halted) return;
    const wanted = layout.zoom * pixelRatio();
    if (wanted !== canvasScale) {
      canvasScale = wanted;
      api.showPicture(layout.client[0], layout.client[1], wanted);
    }
    placePicture();
  }

  // ---- The story's input: the game plays it now or holds it for its turn. ----
  function act(action) {
    if (!halted) api.play(action);
  }
  function afterAction() {
    const scene = api.scene();
    els.picture.setAttribute("aria-label", tables.scenes[scene] || layout.hint.text);
    els.hint.hidden = scene !== 0;
  }

  // ---- Keys, from the game's key table. ----
  const QtKeyNames = {
    Space: " ", Return: "Enter", Enter: "Enter", Right: "ArrowRight", PgDown: "PageDown",
    Esc: "Escape",
  };
  const keyActions = new Map();
  function keyId(key, ctrl) {
    return `${ctrl ? "ctrl+" : ""}${key.length === 1 ? key.toLowerCase() : key}`;
  }
  function learnKeys() {
    for (const binding of tables.keys) {
      for (let key of binding.keys.split("; ")) {
        const ctrl = key.startsWith("Ctrl+");
        if (ctrl) key = key.slice(5);
        if (key.startsWith("Num+")) key = key.slice(4);
        keyActions.set(keyId(QtKeyNames[key] || key, ctrl), binding.does);
      }
    }
  }
  const stepIndex = (step) => tables.actions.findIndex((action) => action.step === step);
  function onKey(event) {
    if (event.altKey || (event.metaKey && !event.ctrlKey)) return;
    if (event.target.closest && event.target.closest("#menu, #about, #error")) return;
    const does = keyActions.get(keyId(event.key, event.ctrlKey || event.metaKey));
    if (!does) return;
    // Space and Enter press the button with the focus, as buttons do.
    if (does === "click" && event.target instanceof HTMLButtonElement) return;
    const action = stepIndex(does);
    if (action >= 0) {
      event.preventDefault();
      if (!event.repeat) act(action);
    } else if (command(does)) {
      event.preventDefault();
    }
  }
  function command(name) {
    switch (name) {
      case "fullscreen": toggleFullscreen(); return true;
      case "view": toggleView(); return true;
      case "faster": stepSpeed(1); return true;
      case "slower": stepSpeed(-1); return true;
      case "save": savePicture(); return true;
      case "about": showAbout(); return true;
      // The browser leaves fullscreen on Esc itself; clips and quitting are the desktop's.
      default: return false;
    }
  }

  // ---- Window commands: they act at once, even mid-picture. ----
  function toggleView() {
    setView(view === "fit" ? "actual" : "fit");
    storage.set(ViewKey, view);
  }
  // The scene painted again for the new view, sharp at once; mid-picture the game does it as
  // the picture ends.
  function setView(next) {
    if (next === view) return;
    view = next;
    relayout();
    if (started && !halted) {
      canvasScale = layout.zoom * pixelRatio();
      api.showPicture(layout.client[0], layout.client[1], canvasScale);
      api.repaintScene(canvasScale);
      placePicture();
    }
    updateMenu();
  }
  function stepSpeed(direction) {
    api.stepSpeed(direction);
    notify(`Speed: ${api.speedName()}`);
    updateMenu();
  }
  function toggleFullscreen() {
    if (!document.fullscreenEnabled) return;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  }

  // ---- Save Picture: what the page shows, the label and buttons included. ----
  const pad = (number) => String(number).padStart(2, "0");
  function pictureName(at) {
    return `brumox-${at.getFullYear()}${pad(at.getMonth() + 1)}${pad(at.getDate())}-` +
      `${pad(at.getHours())}${pad(at.getMinutes())}${pad(at.getSeconds())}.png`;
  }
  function drawCaption(g, element, rect, caption, colour, alignTop) {
    const text = element.classList.contains("caption") ? element : element.querySelector(".caption");
    const lines = text.textContent.split("\n");
    const lineHeight = parseFloat(getComputedStyle(text).lineHeight) || caption.font * 1.15;
    g.save();
    g.translate(rect[0] + rect[2] / 2, rect[1] + rect[3] / 2);
    g.scale(caption.scale, caption.scale);
    g.font = `bold ${caption.font}px BrumoxSans`;
    g.fillStyle = colour;
    g.textAlign = "center";
    g.textBaseline = "top";
    const top = alignTop ? -caption.box[1] / 2 : (-lines.length * lineHeight) / 2;
    lines.forEach((line, i) => g.fillText(line, 0, top + i * lineHeight));
    g.restore();
  }
  // The button's bevel as the page draws it: lit top and left, shaded bottom and right.
  function drawBevel(g, button, [x, y, width, height]) {
    const style = getComputedStyle(button);
    const side = parseFloat(style.getPropertyValue("--bevel")) || 0;
    g.fillStyle = style.getPropertyValue("--shaded").trim();
    g.fillRect(x, y + height - side, width, side);
    g.fillRect(x + width - side, y, side, height);
    g.fillStyle = style.getPropertyValue("--lit").trim();
    g.fillRect(x, y, width - side, side);
    g.fillRect(x, y, side, height - side);
  }
  function composePicture() {
    const ratio = pixelRatio();
    const [x, y, width, height] = layout.area;
    const out = document.createElement("canvas");
    out.width = Math.round(width * ratio);
    out.height = Math.round(height * ratio);
    const g = out.getContext("2d");
    g.scale(ratio, ratio);
    g.translate(-x, -y);
    g.fillStyle = tables.colours.bar;
    g.fillRect(x, y, width, height);
    g.imageSmoothingEnabled = false;
    const box = els.picture.getBoundingClientRect();
    g.drawImage(els.picture, box.left, box.top, box.width, box.height);
    if (!els.label.hidden) {
      const rect = layout.label.rect;
      g.fillStyle = tables.colours.labelBackground;
      g.fillRect(...rect);
      drawCaption(g, els.labelText, rect, layout.label.caption, tables.colours.labelText, true);
    }
    for (const action of tables.stacking) {
      const entry = layout.buttons.find((button) => button.action === action);
      if (buttonFor(action).hidden) continue;
      g.fillStyle = tables.colours.buttonFace;
      g.fillRect(...entry.rect);
      drawBevel(g, buttonFor(action), entry.rect);
      drawCaption(g, buttonFor(action), entry.rect, entry.caption, "#000000", false);
    }
    return out;
  }
  function savePicture() {
    if (!layout) return;
    composePicture().toBlob((blob) => {
      if (!blob) return notify("Could not save the picture");
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = pictureName(new Date());
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }, "image/png");
  }

  // ---- Menu, about box, notices, errors. ----
  function updateMenu() {
    const item = (name) => els.menu.querySelector(`[data-command="${name}"]`);
    item("fullscreen").hidden = !document.fullscreenEnabled;
    item("fullscreen").textContent = document.fullscreenElement ? "Leave Full Screen" : "Full Screen";
    item("view").textContent = view === "fit" ? "Actual Size" : "Fit to Window";
    if (api && started) {
      item("faster").textContent = `Faster (now ${api.speedName()})`;
      item("slower").textContent = `Slower (now ${api.speedName()})`;
    }
  }
  function openMenu(open) {
    els.menu.hidden = !open;
    els.menuButton.setAttribute("aria-expanded", String(open));
    if (open) {
      updateMenu();
      els.menu.querySelector("button:not([hidden])").focus();
    }
  }
  // Keys and help: a dialog over the game, which paints on behind it. F1, ?, Esc, its Close
  // button or a click outside it close it, and the focus goes back where it was.
  let focusBeforeAbout = null;
  function showAbout() {
    openMenu(false);
    if (els.about.open) return els.about.close();
    focusBeforeAbout = document.activeElement;
    els.about.showModal();
  }
  function wireAbout() {
    els.about.addEventListener("close", () => {
      if (focusBeforeAbout && focusBeforeAbout.isConnected) focusBeforeAbout.focus();
      else els.game.focus();
    });
    els.about.addEventListener("keydown", (event) => {
      if (keyActions.get(keyId(event.key, event.ctrlKey || event.metaKey)) === "about") {
        event.preventDefault();
        els.about.close();
      }
    });
    els.about.addEventListener("click", (event) => {
      if (event.target !== els.about) return;
      const box = els.about.getBoundingClientRect();
      const outside = event.clientX < box.left || event.clientX > box.right ||
        event.clientY < box.top || event.clientY > box.bottom;
      if (outside) els.about.close();
    });
  }
  let noticeTimer = 0;
  // One line for each notice (the game sums up a link's beyond a few).
  function notify(...lines) {
    els.notice.replaceChildren(...lines.map((line) => {
      const row = document.createElement("div");
      row.textContent = line;
      return row;
    }));
    els.notice.hidden = false;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => (els.notice.hidden = true), 6000);
  }
  function fail(message) {
    halted = true;
    els.error.querySelector("span").textContent = message || "The game stopped.";
    els.error.hidden = false;
    els.error.querySelector("button").focus();
  }
  window.addEventListener("error", (event) => fail(`Error: ${event.message}`));
  window.addEventListener("unhandledrejection", (event) => {
    const reason = event.reason;
    fail(`Error: ${reason && reason.message ? reason.message : reason}`);
  });

  // ---- The page's controls, made from the game's tables. ----
  function buildButtons() {
    for (const entry of layout.buttons) {
      const names = tables.actions[entry.action];
      const button = document.createElement("button");
      button.type = "button";
      button.className = "command";
      button.dataset.action = entry.action;
      button.setAttribute("aria-label", names.spoken);
      const key = tables.keys.find((binding) => binding.does === names.step);
      if (key) button.setAttribute("aria-keyshortcuts", key.keys);
      button.hidden = true;
      const caption = document.createElement("span");
      caption.className = "caption";
      button.append(caption);
      button.addEventListener("click", (event) => {
        event.stopPropagation();
        act(entry.action);
      });
      els.buttons.append(button);
    }
    tables.stacking.forEach((action, i) => (buttonFor(action).style.zIndex = String(i + 1)));
  }
  function buildAbout() {
    $("about-name").textContent = tables.name;
    const list = els.about.querySelector("dl");
    for (const binding of tables.keys) {
      if (binding.does === "record" || binding.does === "quit") continue;
      const term = document.createElement("dt");
      term.textContent = binding.names;
      const detail = document.createElement("dd");
      detail.textContent = binding.help;
      list.append(term, detail);
    }
  }
  function wireInput() {
    els.game.addEventListener("click", (event) => {
      if (!els.menu.hidden) return openMenu(false);
      if (event.target.closest("#label")) return; // the text is not a click on the story
      // The second press of a double-click (or a double-tap) is no click of its own.
      if (event.detail >= 2) return;
      act(stepIndex("click"));
    });
    els.game.addEventListener("contextmenu", (event) => event.preventDefault());
    document.addEventListener("keydown", onKey);
    wireAbout();
    els.menuButton.addEventListener("click", () => openMenu(els.menu.hidden));
    els.menu.addEventListener("click", (event) => {
      const item = event.target.closest("[data-command]");
      if (!item) return;
      if (item.dataset.command === "faster" || item.dataset.command === "slower") {
        return command(item.dataset.command); // the menu stays open for another step
      }
      openMenu(false);
      command(item.dataset.command);
    });
    els.menu.addEventListener("keydown", (event) => {
      const items = [...els.menu.querySelectorAll("button:not([hidden])")];
      const at = items.indexOf(document.activeElement);
      if (event.key === "ArrowDown" || event.key === "ArrowUp") {
        event.preventDefault();
        const step = event.key === "ArrowDown" ? 1 : items.length - 1;
        items[(at + step) % items.length].focus();
      } else if (event.key === "Escape") {
        openMenu(false);
        els.menuButton.focus();
      }
    });
    els.error.querySelector("button").addEventListener("click", () => location.reload());
    window.addEventListener("resize", relayout);
    document.addEventListener("fullscreenchange", updateMenu);
    const watchRatio = () => {
      matchMedia(`(resolution: ${pixelRatio()}dppx)`).addEventListener("change", () => {
        relayout();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
    if ("ResizeObserver" in window) {
      new ResizeObserver((entries) => {
        const box = entries[0].devicePixelContentBoxSize;
        if (!box || !box[0]) return;
        // Only a settled picture is meant to cover its backing store exactly.
        if (Math.abs(layout.zoom * pixelRatio() - canvasScale) > 1e-9) return;
        const { inlineSize, blockSize } = box[0];
        requestAnimationFrame(() => nudgePicture(inlineSize, blockSize));
      }).observe(els.picture, { box: "device-pixel-content-box" });
    }
  }

  // ---- Start. ----
  // The single file carries the WebAssembly packed; the site fetches it beside the script.
  // Where the browser compiles it at once (Firefox), the game starts before the page's load
  // event; elsewhere (Chromium allows only tiny modules so) it is compiled in the background.
  function embeddedWasm() {
    if (!window.brumoxWasmPacked) return {};
    const packed = Uint8Array.from(atob(window.brumoxWasmPacked), (c) => c.charCodeAt(0));
    const bytes = window.brumoxInflate(packed, window.brumoxWasmSize);
    return {
      instantiateWasm(imports, receive) {
        let instance = null;
        try {
          instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
        } catch {
          WebAssembly.instantiate(bytes, imports).then((result) => receive(result.instance));
          return {};
        }
        receive(instance);
        return instance.exports;
      },
    };
  }
  async function start() {
    module = await window.createBrumox({
      page,
      onAbort: (what) => fail(`The game stopped: ${what}`),
      ...embeddedWasm(),
    });
    // The exports are called directly, but for the two that take text.
    const call = (name) => module[`_brumox_${name}`];
    const text = (name) => (...args) => module.UTF8ToString(call(name)(...args));
    api = {
      tables: text("tables"),
      layout: text("layout"),
      link: (query, ...size) => module.ccall("brumox_link", "string",
        ["string", "number", "number", "number", "number"], [query, ...size]),
      start: (seed, ...size) => module.ccall("brumox_start", null,
        ["string", "number", "number", "number"], [seed, ...size]),
      play: call("play"),
      advance: call("advance"),
      finish: call("finish"),
      busy: call("busy"),
      held: call("held"),
      showPicture: call("showPicture"),
      repaintScene: call("repaintScene"),
      setSpeed: call("setSpeed"),
      stepSpeed: call("stepSpeed"),
      speedName: text("speedName"),
      scene: call("scene"),
    };
    tables = JSON.parse(api.tables());
    const root = document.documentElement.style;
    for (const [name, colour] of Object.entries(tables.colours))
      root.setProperty(`--${name.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`)}`, colour);
    learnKeys();
    const stored = storage.get(ViewKey);
    if (stored === "fit" || stored === "actual") view = stored;
    document.title = `${tables.continueText} — ${tables.name}`;
    const [, , width, height] = gameBox();
    const link = JSON.parse(api.link(location.search, width, height, view === "fit" ? 1 : 0,
      coarse() ? 1 : 0));
    if (link.view) view = link.view;
    layout = describeLayout(width, height);
    buildButtons();
    buildAbout();
    relayout();
    canvasScale = layout.zoom * pixelRatio();
    api.start(link.seed || "", layout.client[0], layout.client[1], canvasScale);
    started = true;
    placePicture();
    wireInput();
    // The captions are measured in the game's font: laid out again once it is there.
    document.fonts.load("bold 16px BrumoxSans").then(relayout, () => {});
    if (link.notices.length) notify(...link.notices);
    window.brumoxPage = {
      stats, held: api.held, isBusy: api.busy, layout: () => layout, tables,
      steps: tables.actions.map((action) => action.step), // by action number
    };
    // A link's steps play at once, before the player's first click.
    for (const action of link.steps) {
      api.play(action);
      api.finish();
    }
    if (halted) return;
    afterAction();
    api.setSpeed(link.speed === null ? 1 : link.speed);
    updateMenu();
    wantFrame(); // clicks are taken once the first frame shows the picture
  }
  function ready() {
    stats.readyMs = performance.now();
    document.body.dataset.ready = "true";
  }
  start().catch((error) => fail(`The game could not start: ${error.message || error}`));
})();
