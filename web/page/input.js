// ---- Input: clicks, taps and keys, from the game's key table. The story's input goes to the
// game, which plays it now or holds it for its turn; the window's commands act at once. ----
(() => {
  const { els } = page;

  function act(action) {
    if (!page.halted) page.api.play(action);
  }
  const stepIndex = (step) => page.tables.actions.findIndex((action) => action.step === step);

  // The table's named keys as the browser's KeyboardEvent.key gives them. A keypad key gives
  // the same key as its twin on the main keys (its code alone tells them apart), so each acts
  // as its twin does.
  const BrowserKeys = {
    Space: " ", Enter: "Enter", Right: "ArrowRight", "Page Down": "PageDown", Esc: "Escape",
    F1: "F1", F11: "F11",
  };
  const browserKey = (key) => (key.named ? BrowserKeys[key.named] : key.character);
  const keyId = (key, ctrl) => `${ctrl ? "ctrl+" : ""}${key.length === 1 ? key.toLowerCase() : key}`;
  const keyActions = new Map();
  function learnKeys() {
    for (const binding of page.tables.keys) {
      for (const key of binding.keys) keyActions.set(keyId(browserKey(key), key.ctrl), binding.does);
    }
  }
  // What a key event does by the table: an action's step or a command's name.
  const keyDoes = (event) => keyActions.get(keyId(event.key, event.ctrlKey || event.metaKey));

  // The keys as aria-keyshortcuts names them, the keypad's twins left out as the help leaves
  // them out: on the game for going on, on each button and menu entry for its own.
  function ariaKeys(does) {
    const binding = page.tables.keys.find((entry) => entry.does === does);
    return binding.keys.filter((key) => !key.keypad).map((key) =>
      `${key.ctrl ? "Control+" : ""}${key.named === "Space" ? "Space" : browserKey(key)}`).join(" ");
  }
  function labelKeys() {
    els.game.setAttribute("aria-keyshortcuts", ariaKeys("click"));
    for (const button of els.buttons.children)
      button.setAttribute("aria-keyshortcuts", ariaKeys(page.tables.actions[button.dataset.action].step));
    for (const item of els.menu.querySelectorAll("[data-command]"))
      item.setAttribute("aria-keyshortcuts", ariaKeys(item.dataset.command));
  }

  function onKey(event) {
    if (event.altKey || (event.metaKey && !event.ctrlKey)) return;
    if (event.target.closest && event.target.closest("#menu, #about, #error")) return;
    const does = keyDoes(event);
    if (!does) return;
    // Space and Enter press the button with the focus, as buttons do.
    if (does === "click" && event.target instanceof HTMLButtonElement) return;
    const action = stepIndex(does);
    if (action >= 0) {
      event.preventDefault();
      if (!event.repeat) act(action);
    } else if (page.command(does)) {
      event.preventDefault();
    }
  }

  function wireInput() {
    els.game.addEventListener("click", (event) => {
      if (!els.menu.hidden) return page.openMenu(false);
      if (event.target.closest("#label")) return; // the text is not a click on the story
      // The second press of a double-click (or a double-tap) is no click of its own.
      if (event.detail >= 2) return;
      act(stepIndex("click"));
    });
    els.game.addEventListener("contextmenu", (event) => event.preventDefault());
    document.addEventListener("keydown", onKey);
    page.wireMenu();
    window.addEventListener("resize", page.relayout);
    const watchRatio = () => {
      matchMedia(`(resolution: ${page.pixelRatio()}dppx)`).addEventListener("change", () => {
        page.relayout();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
    page.watchPicture();
  }

  Object.assign(page, { act, keyDoes, learnKeys, labelKeys, wireInput });
})();
