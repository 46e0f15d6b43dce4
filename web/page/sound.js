// ---- Sound: the game mixes it, the page plays it through Web Audio. Each display frame, after
// the game has stepped, the samples up to the next frame are scheduled on the audio clock so
// that a cue marked in a frame sounds as that frame shows. Nothing sounds before the player's
// first click, tap or key (the browser allows none sooner), and a hidden tab is silent. ----
(() => {
  const SoundKey = "brumox.sound";
  const Rate = 48000;

  let context = null;
  let listening = false;
  let muted = false;
  // The audio clock's time at which the next sample rendered plays, and whether the mix has
  // been quiet since.
  let next = 0;
  let paused = true;
  let lastFrame = 0;
  let interval = 1 / 60; // the display's frame interval, in s, as measured

  // Made and resumed only in answer to a gesture, as browsers require.
  function wake() {
    if (muted || document.hidden) return;
    context = context || new AudioContext({ sampleRate: Rate, latencyHint: "interactive" });
    context.resume().catch(() => {});
  }
  // Without Web Audio the game is never told to listen, and nothing is mixed.
  function onGesture() {
    if (!listening && page.started && !page.halted) {
      listening = true;
      page.api.listen();
    }
    wake();
  }
  function setMuted(value) {
    muted = value;
    page.api.setMuted(muted ? 1 : 0);
  }

  // The link's choice lasts for this visit; otherwise the player's last one counts.
  function startSound(linkMute) {
    setMuted(linkMute === null ? page.storage.get(SoundKey) === "off" : linkMute);
    if (!window.AudioContext) return;
    for (const type of ["click", "touchend", "keydown"])
      addEventListener(type, onGesture, { capture: true });
    document.addEventListener("visibilitychange", () => {
      if (document.hidden && context) context.suspend().catch(() => {});
      else if (listening) wake();
    });
  }
  // Muted, what sounds fades out over the next frames.
  function toggleSound() {
    setMuted(!muted);
    page.storage.set(SoundKey, muted ? "off" : "on");
    if (listening) wake();
    page.wantFrame();
    page.notify(`Sound: ${muted ? "off" : "on"}`);
    page.updateMenu();
  }

  // The audio clock moves a whole output block at a time: a block of sound scheduled less than
  // this ahead of it may come too late for the frames to keep it fed.
  const margin = () => (context.baseLatency || 0.01) + 0.004;
  // When a frame begun at `time` (ms, the page's clock) shows, on the audio clock: by what the
  // output says it plays when, where it says so; never sooner than the audio thread can take.
  function frameShows(time) {
    const stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : {};
    const now = stamp.performanceTime
      ? stamp.contextTime + (time - stamp.performanceTime) / 1000 : context.currentTime;
    return Math.max(now + interval, context.currentTime + margin());
  }

  // After the game has stepped in the frame begun at `time`: schedules the sound up to when the
  // next frame shows. True while it wants more frames.
  function soundFrame(time) {
    const gap = (time - lastFrame) / 1000;
    if (gap < 0.05) interval += (gap - interval) / 8; // not a stall
    lastFrame = time;
    if (!listening || page.api.soundQuiet()) {
      paused = true;
      return false;
    }
    // A context waking up holds the sound until it plays.
    if (!context || context.state !== "running") return true;
    const due = frameShows(time);
    // After a pause, or fallen behind the audio thread: this frame's cues sound as it shows,
    // and never over what still plays.
    if (paused || next < context.currentTime + 0.001) next = Math.max(next, due);
    paused = false;
    const count = Math.round((due + interval - next) * Rate);
    if (count <= 0) return true;
    const samples = new Int16Array(page.api.heap16().buffer, page.api.renderSound(count), count);
    const buffer = context.createBuffer(1, count, Rate);
    buffer.getChannelData(0).set(Float32Array.from(samples, (sample) => sample / 32768));
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.start(next);
    next += count / Rate;
    return true;
  }

  Object.assign(page, { startSound, toggleSound, soundFrame, muted: () => muted });
})();
