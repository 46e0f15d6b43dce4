#pragma once

#include "window/GameWindow.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QSettings;

// What the command line chose for this run; whatever it leaves unset comes from the settings.
struct StartupChoices {
    std::optional<ViewMode> view;
    bool fullScreen = false;
    std::optional<QSize> size;
    bool mute = false; // silent for this run, whatever is remembered
};

// What the game remembers from one run to the next: the window's place and size, the view and
// whether the sound is on, in an INI file in the player's config folder. A choice made on the
// command line wins for that run and is not remembered. Fullscreen and the speed last one run only:
// every run starts at the designed pace, and a speed an older version remembered is dropped on
// saving.
//
// Errors: a settings file that cannot be read is ignored with a warning on standard error, and
// so is a remembered geometry that cannot be read, is smaller than the smallest client or larger
// than the screens' room for windows, or lies mostly off them, and a view or a sound switch the
// game does not have: one line each. The game then starts as it would the first time and never
// writes the broken value back.
class GameSettings {
  public:
    // The player's own settings.
    GameSettings();
    // Settings in another file.
    explicit GameSettings(const QString& path);
    ~GameSettings();
    GameSettings(const GameSettings&) = delete;
    GameSettings& operator=(const GameSettings&) = delete;

    // Gives the window the remembered settings under the command line's choices, and shows it.
    void applyAtStart(GameWindow& window, const StartupChoices& choices);
    // Remembers the window as it is now, except for what the command line chose.
    void save(const GameWindow& window);

  private:
    void read();

    std::unique_ptr<QSettings> settings_;
    bool unreadable_ = false;
    QByteArray geometry_;
    std::optional<ViewMode> view_;
    std::optional<bool> muted_;
    // Ignored as broken: removed from the file unless the window's own value replaces it.
    bool brokenGeometry_ = false;
    bool brokenView_ = false;
    bool brokenSound_ = false;
    StartupChoices choices_;
};
