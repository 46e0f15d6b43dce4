"""The page's sound, as Web Audio is handed it: nothing before the player's first click, tap or
key; each cue on the audio clock as the frame that marks it shows, in blocks that follow on
without a gap; silence when muted, by the key, the menu or a link, the choice remembered but
a link's for its visit only; and a hidden tab silent."""

import time
import unittest

from browser import FRAME_INTERVAL, SINGLE_FILE, PageTest, wait_until

# Watches from before the page's first script: every audio context made, and every block the
# page starts, with the frame it was started in (the page's animation frame time, ms) and the
# audio clock then. Only whether and where a block sounds is kept, its samples on request.
WATCH = """
const heard = window.brumoxHeard = {contexts: [], states: [], blocks: [], frame: null, keep: false};
const Context = window.AudioContext;
window.AudioContext = class extends Context {
  constructor(...args) {
    super(...args);
    heard.contexts.push(this);
    this.addEventListener("statechange", () => heard.states.push(this.state));
  }
};
const frame = window.requestAnimationFrame;
window.requestAnimationFrame = (callback) => frame((time) => {
  heard.frame = time;
  callback(time);
});
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (when, ...rest) {
  const data = this.buffer.getChannelData(0);
  let first = -1;
  let last = -1;
  let peak = 0;
  for (let i = 0; i < data.length; i += 1) {
    if (data[i] === 0) continue;
    if (first < 0) first = i;
    last = i;
    peak = Math.max(peak, Math.abs(data[i]));
  }
  const stamp = this.context.getOutputTimestamp();
  heard.blocks.push({
    when, length: data.length, rate: this.buffer.sampleRate, first, last, peak, frame: heard.frame,
    now: this.context.currentTime, stamp: [stamp.contextTime, stamp.performanceTime],
    outputBlock: this.context.baseLatency,
    samples: heard.keep ? Array.from(data) : null,
  });
  return start.call(this, when, ...rest);
};
"""

M = ("m", "KeyM", "m", 77)


class Watched(PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.browser.cdp("Page.addScriptToEvaluateOnNewDocument", source=WATCH)

    def heard(self):
        return self.browser.js("const h = window.brumoxHeard; return {contexts: "
                               "h.contexts.map((c) => c.state), states: h.states, "
                               "blocks: h.blocks};")

    def sounding(self):
        return [block for block in self.heard()["blocks"] if block["peak"] > 0]


class Sound(Watched):

    def open(self, query):
        self.browser.open(SINGLE_FILE.as_uri() + query, 1024, 720)

    def stored(self):
        return self.browser.js("return localStorage.getItem('brumox.sound');")

    def menu_item(self):
        return self.browser.js(
            "return document.querySelector('[data-command=\"sound\"]').textContent;")

    def test_the_audio_starts_with_the_first_gesture_and_rests_while_hidden(self):
        b = self.browser
        # The link's opening steps paint the lair before any gesture: unheard, then and after.
        self.open("?seed=3&play=click*2")
        b.frames(10)
        self.assertEqual(self.heard()["contexts"], [], "an audio context before any gesture")
        b.play("click")
        wait_until(lambda: self.heard()["contexts"] == ["running"], 5,
                   "the audio to start on the click")
        b.frames(10)
        self.assertEqual(self.sounding(), [], "the link's lair was heard")

        # Out of sight, the audio rests with the picture and comes back with it.
        self.open("?seed=3&play=click")
        b.click_story()  # the lair: two seconds of rumble and coins
        wait_until(self.sounding, 5, "the lair's rumble")
        game = b.driver.current_window_handle
        b.driver.switch_to.new_window("tab")
        time.sleep(1)
        b.driver.close()
        b.driver.switch_to.window(game)
        b.settle()
        states = self.heard()["states"]
        self.assertIn("suspended", states, "the audio went on in a hidden tab")
        self.assertEqual(states[-1], "running", "the audio did not come back with the picture")

    def onsets(self, blocks, interval):
        """The blocks as they sound: never overlapping, and following on sample for sample
        unless the sound had ended, or the audio clock ran past what was scheduled (a frame
        came too late). Returns when each sound after silence starts, checked against the
        frame that marked its cue."""
        onsets = []
        for before, block in zip([None] + blocks, blocks):
            ended = before is None or before["last"] < before["length"] - 1
            if before is not None:
                end = before["when"] + before["length"] / before["rate"]
                self.assertGreater(block["when"], end - 0.5 / block["rate"], "blocks overlap")
                if block["when"] > end + 0.5 / block["rate"] and not ended:
                    self.assertGreater(block["now"], end - 0.001,
                                       "a gap in the sound while it could be fed")
            if block["peak"] > 0 and ended:
                onsets.append(self.onset(block, interval))
        return onsets

    def onset(self, block, interval):
        # A cue sounds from the first sample of the block its frame schedules (it fades in
        # from zero).
        self.assertLess(block["first"], 48, "a cue starts inside a block, not with its frame")
        when = block["when"]
        # Ahead of the audio clock, by about a frame plus a little.
        self.assertGreater(when, block["now"] - 0.002)
        self.assertLess(when - block["now"], interval + 0.02)
        # As heard: no sooner than the frame shows, and no later than the output's own delay
        # and one of its blocks make it.
        context_time, performance_time = block["stamp"]
        shows = context_time + (block["frame"] - performance_time) / 1000 + interval
        self.assertGreater(when - shows, -0.004, "the sound comes before its picture")
        self.assertLess(when - shows, block["now"] - context_time + block["outputBlock"] + 0.005,
                        "later than the output makes it")
        return when

    def test_each_cue_sounds_as_its_frame_shows(self):
        b = self.browser
        self.open("?seed=3")
        interval = b.js_async(FRAME_INTERVAL) / 1000
        b.play("click")  # the title: the audio starts, nothing sounds
        b.play("click")  # the lair: the rumble, a silence, then the coins' chink at 1.78 s
        b.frames(30)  # the last chink rings on after the picture
        rumble, chink = self.onsets(self.heard()["blocks"], interval)
        # 1.78 s of the lair's time apart on the audio clock too, to a frame or so.
        self.assertAlmostEqual(chink - rumble, 1.78, delta=2 * interval)

        for _ in range(3):
            b.play("click")  # captions, unheard
        before = len(self.heard()["blocks"])
        b.play("click")  # the goblin pops out
        b.frames(30)
        self.assertEqual(len(self.onsets(self.heard()["blocks"][before:], interval)), 1)

    def test_muted_by_the_key_the_menu_or_a_link(self):
        b = self.browser
        self.open("?seed=3&play=click")
        b.js("localStorage.removeItem('brumox.sound');")
        self.open("?seed=3&play=click")
        self.assertEqual(self.menu_item(), "Sound Off")
        b.key(*M)  # the first gesture, and it mutes
        self.assertEqual(self.menu_item(), "Sound On")
        self.assertEqual(self.stored(), "off")
        b.play("click")  # the lair
        b.frames(20)
        self.assertEqual(self.sounding(), [], "muted, the lair was heard")

        # Remembered; a link's choice counts for its visit only.
        self.open("?seed=3&play=click")
        self.assertEqual(self.menu_item(), "Sound On")
        self.open("?seed=3&play=click&mute=0")
        self.assertEqual(self.menu_item(), "Sound Off")
        b.click_story()
        wait_until(self.sounding, 5, "the lair's rumble, the link unmuting it")
        self.assertEqual(self.stored(), "off")

        # The menu mutes mid-sound: it fades out at once and nothing sounds after.
        b.click_at(*b.centre_of("#menu-button"))
        b.click_at(*b.centre_of('[data-command="sound"]'))
        muted_at = b.js("return window.brumoxHeard.contexts[0].currentTime;")
        b.settle()
        late = [block for block in self.sounding() if block["now"] > muted_at + 0.1]
        self.assertEqual(late, [], "sound scheduled after muting")
        self.assertEqual(self.menu_item(), "Sound On")

        # A link mutes its visit without touching what is remembered.
        b.js("localStorage.setItem('brumox.sound', 'on');")
        self.open("?seed=3&play=click&mute=1")
        self.assertEqual(self.menu_item(), "Sound On")
        b.play("click")
        b.frames(20)
        self.assertEqual(self.heard()["contexts"], [], "an audio context while muted")
        self.assertEqual(self.stored(), "on")


class PhoneSound(Watched):
    phone = (390, 844, 3.0)

    def test_a_tap_starts_the_sound(self):
        b = self.browser
        b.open(SINGLE_FILE.as_uri() + "?seed=3&play=click", None)
        self.assertEqual(self.heard()["contexts"], [])
        b.tap(*b.story_point())
        wait_until(self.sounding, 5, "the goblin's pop after a tap")
        self.assertEqual(self.heard()["contexts"], ["running"])


if __name__ == "__main__":
    unittest.main()
