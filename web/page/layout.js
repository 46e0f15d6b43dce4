// ---- Controls and layout: the label, the buttons, the hint and the menu button where the
// game's layout puts them, with their captions laid out as the desktop lays them out. ----
(() => {
  const { els } = page;
  let captionText = "";
  let settleTimer = 0;

  // Captions: laid out in the design's box at the design's font size, then scaled.
  const measurer = document.createElement("canvas").getContext("2d");
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
  // The story's text, laid out again with each layout.
  function showCaption(text) {
    captionText = text;
    if (page.layout) setCaption(els.labelText, text, page.layout.label.caption, 0);
  }

  function place(element, rect) {
    Object.assign(element.style, {
      left: `${rect[0]}px`, top: `${rect[1]}px`, width: `${rect[2]}px`, height: `${rect[3]}px`,
    });
  }
  function windowSize() {
    return [Math.max(1, Math.floor(window.innerWidth)), Math.max(1, Math.floor(window.innerHeight))];
  }
  const menuSide = () => (page.coarse() ? 44 : 32);
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
    JSON.parse(page.api.layout(width, height, page.fitted() ? 1 : 0, page.pixelRatio(),
      page.coarse() ? 1 : 0, menuSide()));
  // The canvas covers whole device pixels: its corner on a device pixel, its CSS size its
  // backing store's size over the pixel ratio (stretched only until a new scale settles).
  function placePicture() {
    const layout = page.layout;
    if (!layout) return;
    const ratio = page.pixelRatio();
    const cover = layout.zoom / page.canvasScale;
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
    const ratio = page.pixelRatio();
    const style = els.picture.style;
    if (deviceWidth !== els.picture.width)
      style.width = `${parseFloat(style.width) + (els.picture.width - deviceWidth) / ratio}px`;
    if (deviceHeight !== els.picture.height)
      style.height = `${parseFloat(style.height) + (els.picture.height - deviceHeight) / ratio}px`;
  }
  function watchPicture() {
    if (!("ResizeObserver" in window)) return;
    new ResizeObserver((entries) => {
      const box = entries[0].devicePixelContentBoxSize;
      if (!box || !box[0]) return;
      // Only a settled picture is meant to cover its backing store exactly.
      if (Math.abs(page.layout.zoom * page.pixelRatio() - page.canvasScale) > 1e-9) return;
      const { inlineSize, blockSize } = box[0];
      requestAnimationFrame(() => nudgePicture(inlineSize, blockSize));
    }).observe(els.picture, { box: "device-pixel-content-box" });
  }
  function relayout() {
    if (!page.api) return;
    const box = gameBox();
    const layout = (page.layout = describeLayout(box[2], box[3]));
    const { padding, ring } = page.tables.button;
    place(els.game, box);
    placeMenu(box);
    place(els.label, layout.label.rect);
    placeCaption(els.labelText, layout.label.rect, layout.label.caption);
    setCaption(els.labelText, captionText, layout.label.caption, 0);
    for (const entry of layout.buttons) {
      const button = page.buttonFor(entry.action);
      place(button, entry.rect);
      const caption = button.firstElementChild;
      placeCaption(caption, entry.rect, entry.caption);
      setCaption(caption, page.tables.actions[entry.action].caption, entry.caption, padding[0]);
      const thickness = Math.max(ring.least, Math.floor(entry.rect[3] / ring.per));
      button.style.setProperty("--ring", `${thickness}px`);
    }
    placeHint();
    if (page.started) page.api.showPicture(layout.client[0], layout.client[1], page.canvasScale);
    placePicture();
    clearTimeout(settleTimer);
    settleTimer = setTimeout(settle, 100);
  }
  // The menu button where the layout keeps room for it, its menu below it.
  function placeMenu([left, top]) {
    const [x, y, width, height] = page.layout.menu;
    place(els.menuButton, [left + x, top + y, width, height]);
    Object.assign(els.menu.style, {
      top: `${top + y + height + 4}px`,
      right: `${Math.max(0, window.innerWidth - (left + x + width))}px`,
    });
  }
  function placeHint() {
    const hint = page.layout.hint;
    place(els.hint, hint.rect);
    els.hint.textContent = hint.text;
    els.hint.classList.toggle("in-panel", page.layout.panel);
    Object.assign(els.hint.style, { fontSize: `${hint.font}px`, lineHeight: `${hint.rect[3]}px` });
  }
  // Once a resize has settled: the picture sharp at the new scale.
  function settle() {
    if (!page.started || page.halted) return;
    const wanted = page.layout.zoom * page.pixelRatio();
    if (wanted !== page.canvasScale) {
      page.canvasScale = wanted;
      page.api.showPicture(page.layout.client[0], page.layout.client[1], wanted);
    }
    placePicture();
  }

  // The buttons, made from the game's tables, and the look they share with the desktop's.
  function buildButtons() {
    const root = document.documentElement.style;
    const { padding, ring } = page.tables.button;
    root.setProperty("--caption-padding", `${padding[1]}px ${padding[0]}px`);
    root.setProperty("--ring-inset", `${ring.inset}px`);
    for (const entry of page.layout.buttons) {
      const names = page.tables.actions[entry.action];
      const button = document.createElement("button");
      button.type = "button";
      button.className = "command";
      button.dataset.action = entry.action;
      button.setAttribute("aria-label", names.spoken);
      button.hidden = true;
      const caption = document.createElement("span");
      caption.className = "caption";
      button.append(caption);
      button.addEventListener("click", (event) => {
        event.stopPropagation();
        page.act(entry.action);
      });
      els.buttons.append(button);
    }
    page.tables.stacking.forEach((action, i) => (page.buttonFor(action).style.zIndex = String(i + 1)));
  }

  Object.assign(page, {
    gameBox, describeLayout, relayout, placePicture, watchPicture, showCaption, buildButtons,
  });
})();
