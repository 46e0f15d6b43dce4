// ---- Presenting: the game steps and shows its picture once per display frame, on a clock that
// stands still while the tab is hidden; and Save Picture, which saves what the page shows. ----
(() => {
  const { els, stats } = page;
  const context = els.picture.getContext("2d", { alpha: false });
  let presentsThisFrame = 0;

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
    if (page.halted) return;
    const painting = page.api.advance(time - hiddenTotal);
    if (page.soundFrame(time) || painting) wantFrame();
    if (stats.readyMs === null) ready();
  }
  function ready() {
    stats.readyMs = performance.now();
    document.body.dataset.ready = "true";
  }

  // After each action the game has played: what the picture shows, for a screen reader.
  function afterAction() {
    const scene = page.api.scene();
    els.picture.setAttribute("aria-label", page.tables.scenes[scene] || page.layout.hint.text);
    els.hint.hidden = scene !== 0;
  }

  // What the game calls.
  const gameCalls = {
    wantFrames: wantFrame,
    played(action, ms) {
      stats.performed.push(page.tables.actions[action].step);
      stats.durations.push(ms);
      afterAction();
    },
    failed: (message) => page.fail(message),
    present(heap, pointer, x, y, width, height, deviceWidth, deviceHeight) {
      if (els.picture.width !== deviceWidth || els.picture.height !== deviceHeight) {
        els.picture.width = deviceWidth;
        els.picture.height = deviceHeight;
        page.placePicture();
      }
      const bytes = new Uint8ClampedArray(heap.buffer, pointer, width * height * 4);
      context.putImageData(new ImageData(bytes, width, height), x, y);
      presentsThisFrame += 1;
      stats.presents += 1;
    },
    setCaption: (text) => page.showCaption(text),
    setLabelVisible(visible) {
      els.label.hidden = !visible;
    },
    setButtonVisible(action, visible) {
      const button = page.buttonFor(action);
      if (!visible && document.activeElement === button) els.game.focus();
      button.hidden = !visible;
    },
  };

  // Save Picture: what the page shows, the label and buttons included, named as the desktop
  // names its pictures.
  const pad = (number, digits) => String(number).padStart(digits, "0");
  function pictureName(at) {
    const fields = {
      YYYY: at.getFullYear(), MM: at.getMonth() + 1, DD: at.getDate(),
      hh: at.getHours(), mm: at.getMinutes(), ss: at.getSeconds(),
    };
    const stem = page.tables.pictureName.replace(/YYYY|MM|DD|hh|mm|ss/g,
      (field) => pad(fields[field], field.length));
    return `${stem}.png`;
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
    const { layout, tables } = page;
    const ratio = page.pixelRatio();
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
      const button = page.buttonFor(action);
      if (button.hidden) continue;
      g.fillStyle = tables.colours.buttonFace;
      g.fillRect(...entry.rect);
      drawBevel(g, button, entry.rect);
      drawCaption(g, button, entry.rect, entry.caption, "#000000", false);
    }
    return out;
  }
  function savePicture() {
    if (!page.layout) return;
    composePicture().toBlob((blob) => {
      if (!blob) return page.notify("Could not save the picture");
      const link = document.createElement("a");
      link.href = URL.createObjectURL(blob);
      link.download = pictureName(new Date());
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }, "image/png");
  }

  Object.assign(page, { wantFrame, afterAction, gameCalls, savePicture });
})();
