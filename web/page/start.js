// ---- Start: the game compiled and started, the page built from its tables, and the link's
// asking (seed, speed, view, opening steps) played. ----
(() => {
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
  // The exports are called directly, but for the two that take text.
  function exportsOf(module) {
    const call = (name) => module[`_brumox_${name}`];
    const text = (name) => (...args) => module.UTF8ToString(call(name)(...args));
    return {
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
      listen: call("listen"),
      renderSound: call("renderSound"),
      soundQuiet: call("soundQuiet"),
      setMuted: call("setMuted"),
      // Looked up each time: the view is a new one whenever the memory grows.
      heap16: () => module.HEAP16,
    };
  }
  async function start() {
    const module = await window.createBrumox({
      page: page.gameCalls,
      onAbort: (what) => page.fail(`The game stopped: ${what}`),
      ...embeddedWasm(),
    });
    const api = (page.api = exportsOf(module));
    const tables = (page.tables = { ...JSON.parse(api.tables()), ...window.brumoxPageTables });
    const root = document.documentElement.style;
    for (const [name, colour] of Object.entries(tables.colours))
      root.setProperty(`--${name.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`)}`, colour);
    page.learnKeys();
    page.view = page.storedView() || tables.views[0];
    document.title = `${tables.continueText} — ${tables.name}`;
    const [, , width, height] = page.gameBox();
    const link = JSON.parse(api.link(location.search, width, height, page.fitted() ? 1 : 0,
      page.coarse() ? 1 : 0));
    if (link.view) page.view = link.view;
    page.layout = page.describeLayout(width, height);
    page.buildButtons();
    page.buildAbout();
    page.labelKeys();
    page.relayout();
    const layout = page.layout;
    page.canvasScale = layout.zoom * page.pixelRatio();
    api.start(link.seed || "", layout.client[0], layout.client[1], page.canvasScale);
    page.started = true;
    page.startSound(link.mute);
    page.placePicture();
    page.wireInput();
    // The captions are measured in the game's font: laid out again once it is there.
    document.fonts.load("bold 16px BrumoxSans").then(page.relayout, () => {});
    if (link.notices.length) page.notify(...link.notices);
    window.brumoxPage = {
      stats: page.stats, held: api.held, isBusy: api.busy, layout: () => page.layout, tables,
      steps: tables.actions.map((action) => action.step), // by action number
    };
    // A link's steps play at once, before the player's first click.
    for (const action of link.steps) {
      api.play(action);
      api.finish();
    }
    if (page.halted) return;
    page.afterAction();
    api.setSpeed(link.speed === null ? 1 : link.speed);
    page.updateMenu();
    page.wantFrame(); // clicks are taken once the first frame shows the picture
  }
  start().catch((error) => page.fail(`The game could not start: ${error.message || error}`));
})();
