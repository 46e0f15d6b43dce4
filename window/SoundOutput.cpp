#include "window/SoundOutput.h"

#include "game/Layout.h"
#include "window/GameWindow.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <span>
#include <string>

namespace {

// How often the device is asked whether it still plays: a lost one is noticed within this.
constexpr int WatchMs = 1000;

void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}

// Where there is no sound card, ALSA's library says so on standard error in lines of its own, as
// SDL tries it; the game says it once, in its own words. SDL loads the library by name at run
// time, so its error handler is set the same way, on the one copy they share.
void quietAlsa() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (!alsa)
        return;
    if (auto* setHandler =
            reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(&ignoreAlsa);
}

} // namespace

SoundOutput::SoundOutput(GameWindow& window) : window_(window) {
    mix_.setMuted(window.muted());
    connect(&window, &GameWindow::mutedChanged, this, [this](bool muted) { mix_.setMuted(muted); });
    open();
}

SoundOutput::~SoundOutput() {
    if (device_ != 0) {
        window_.runner().setSpeaker(nullptr);
        // Waits for the device's thread: nothing reads the mix after this.
        SDL_CloseAudioDevice(device_);
    }
    if (audioStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundOutput::open() {
    // Qt and the game's own handlers end the game on a signal; SDL would swallow them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // What the desktop's volume control calls the game.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, std::string(GameName).c_str());
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        giveUp(SDL_GetError());
        return;
    }
    audioStarted_ = true;
    SDL_AudioSpec wanted{};
    wanted.freq = Mixer::SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = BufferSamples;
    wanted.callback = &SoundOutput::fill;
    wanted.userdata = this;
    // No changes allowed: whatever the device plays, SDL converts the mix to it.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        giveUp(SDL_GetError());
        return;
    }
    window_.runner().setSpeaker(&mix_);
    SDL_PauseAudioDevice(device_, 0);
    connect(&watch_, &QTimer::timeout, this, &SoundOutput::checkDevice);
    watch_.start(WatchMs);
}

void SoundOutput::fill(void* output, std::uint8_t* stream, int bytes) {
    static_cast<SoundOutput*>(output)->mix_.render(
        std::span(reinterpret_cast<std::int16_t*>(stream), bytes / sizeof(std::int16_t)));
}

void SoundOutput::checkDevice() {
    // Unplugged, or its server gone: SDL stops the device for good.
    if (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED)
        giveUp("the audio device stopped");
}

void SoundOutput::giveUp(const char* reason) {
    std::fprintf(stderr, "brumox: no sound: %s\n", *reason ? reason : "no audio device");
    watch_.stop();
    if (device_ == 0)
        return;
    window_.runner().setSpeaker(nullptr);
    SDL_CloseAudioDevice(device_);
    device_ = 0;
}
