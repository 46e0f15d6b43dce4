// The page around the game: it places the label and the buttons where the game's layout says,
// turns clicks, taps and keys into the game's actions, and steps the game on the display's
// frames. Everything the game decides stays in the game, holding input while a picture paints
// too.
//
// The script comes in parts by role, put together by assemble.py in one function: each part
// keeps its own state in a function of its own, and they share only this object, which holds
// the elements, the game's exports and tables once it has started, what the player is looking
// at, and what each part offers the others.
"use strict";

const page = (() => {
  const $ = (id) => document.getElementById(id);
  return {
    $,
    els: {
      game: $("game"), picture: $("picture"), label: $("label"), labelText: $("label-text"),
      hint: $("hint"), buttons: $("buttons"), notice: $("notice"), error: $("error"),
      menu: $("menu"), menuButton: $("menu-button"), about: $("about"), safeArea: $("safe-area"),
    },
    // The game's exports and tables: the core's, from the WebAssembly, and those written into
    // the page when it was built (keys, views, picture names, the buttons' look, the name).
    api: null,
    tables: null,
    // The game's layout for the window now, the view ("fit" or "actual", by the core's names),
    // and the device pixels per logical pixel the picture is painted at.
    layout: null,
    view: null,
    canvasScale: 1,
    started: false,
    halted: false,
    // What the page counts, for its tests and benchmarks.
    stats: {
      presents: 0, frames: 0, framesWithTwoPresents: 0, performed: [], durations: [], readyMs: null,
    },
    // Private windows, pages from disk and full quotas may refuse any access at any time: the
    // game then plays on without remembering.
    storage: {
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
    },
    fitted: () => page.view === page.tables.views[0],
    pixelRatio: () => window.devicePixelRatio || 1,
    // A finger wants larger captions and targets; the game's layout decides how much larger.
    coarse: () => matchMedia("(pointer: coarse)").matches,
    buttonFor: (action) => page.els.buttons.querySelector(`[data-action="${action}"]`),
  };
})();
