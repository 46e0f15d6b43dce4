// ---- The window's commands, which act at once, even mid-picture; the menu that offers them,
// the keys and help, notices and errors. ----
(() => {
  const { els } = page;
  const ViewKey = "brumox.view";

  function toggleView() {
    const [fit, actual] = page.tables.views;
    setView(page.fitted() ? actual : fit);
    page.storage.set(ViewKey, page.view);
  }
  // The view the player chose last time, if it is one of the game's.
  function storedView() {
    const stored = page.storage.get(ViewKey);
    return page.tables.views.includes(stored) ? stored : null;
  }
  // The scene painted again for the new view, sharp at once; mid-picture the game does it as
  // the picture ends.
  function setView(next) {
    if (next === page.view) return;
    page.view = next;
    page.relayout();
    if (page.started && !page.halted) {
      const { layout } = page;
      page.canvasScale = layout.zoom * page.pixelRatio();
      page.api.showPicture(layout.client[0], layout.client[1], page.canvasScale);
      page.api.repaintScene(page.canvasScale);
      page.placePicture();
    }
    updateMenu();
  }
  function stepSpeed(direction) {
    page.api.stepSpeed(direction);
    notify(`Speed: ${page.api.speedName()}`);
    updateMenu();
  }
  function toggleFullscreen() {
    if (!document.fullscreenEnabled) return;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  }
  // A command by the key table's name; false for one the page leaves alone.
  function command(name) {
    switch (name) {
      case "fullscreen": toggleFullscreen(); return true;
      case "view": toggleView(); return true;
      case "faster": stepSpeed(1); return true;
      case "slower": stepSpeed(-1); return true;
      case "sound": page.toggleSound(); return true;
      case "save": page.savePicture(); return true;
      case "about": showAbout(); return true;
      // The browser leaves fullscreen on Esc itself; clips and quitting are the desktop's.
      default: return false;
    }
  }

  function updateMenu() {
    const item = (name) => els.menu.querySelector(`[data-command="${name}"]`);
    item("fullscreen").hidden = !document.fullscreenEnabled;
    item("fullscreen").textContent = document.fullscreenElement ? "Leave Full Screen" : "Full Screen";
    item("view").textContent = page.fitted() ? "Actual Size" : "Fit to Window";
    item("sound").textContent = page.muted() ? "Sound On" : "Sound Off";
    if (page.api && page.started) {
      item("faster").textContent = `Faster (now ${page.api.speedName()})`;
      item("slower").textContent = `Slower (now ${page.api.speedName()})`;
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
  function wireMenu() {
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
    document.addEventListener("fullscreenchange", updateMenu);
    wireAbout();
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
      if (page.keyDoes(event) === "about") {
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
  function buildAbout() {
    page.$("about-name").textContent = page.tables.name;
    const list = els.about.querySelector("dl");
    for (const binding of page.tables.keys) {
      if (binding.does === "record" || binding.does === "quit") continue; // the desktop's
      const term = document.createElement("dt");
      term.textContent = binding.names;
      const detail = document.createElement("dd");
      detail.textContent = binding.help;
      list.append(term, detail);
    }
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
    page.halted = true;
    els.error.querySelector("span").textContent = message || "The game stopped.";
    els.error.hidden = false;
    els.error.querySelector("button").focus();
  }
  window.addEventListener("error", (event) => fail(`Error: ${event.message}`));
  window.addEventListener("unhandledrejection", (event) => {
    const reason = event.reason;
    fail(`Error: ${reason && reason.message ? reason.message : reason}`);
  });
  els.error.querySelector("button").addEventListener("click", () => location.reload());

  Object.assign(page, {
    command, openMenu, updateMenu, wireMenu, buildAbout, storedView, notify, fail,
  });
})();
