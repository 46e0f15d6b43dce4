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
    std::optional<double> speed;
    std::optional<ViewMode> view;
    bool fullScreen = false;
    std::optional<QSize> size;
};

// What the game remembers from one run to the next: the window's place and size, the view and
// the speed, in an INI file in the player's config folder. A choice made on the command line
// wins for that run and is not remembered. Fullscreen is never remembered.
//
// Errors: a settings file that cannot be read is ignored with a warning on standard error, and
// so is any value out of range, silently; the game then starts as it would the first time.
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
    std::optional<double> speed_;
    StartupChoices choices_;
};
