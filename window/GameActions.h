#pragma once

#include "files/PictureFolder.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class ClipSink;
class GameWindow;
class KeysPanel;
class QAction;
class QActionGroup;
class QImage;
class QMenu;

// What the player does to the window rather than in the story: the view, fullscreen, the speed,
// the sound, saving a picture, recording a clip, the keys and help, and Quit. Each has a shortcut
// on the window that acts at once, even while a picture paints, and an entry in the menu of the
// right mouse button. Only what opens a window of its own (the menu, Save Picture As) waits, like
// story input, until the picture is done; the keys and help opens inside the game window, at once.
class GameActions : public QObject {
    Q_OBJECT

  public:
    // Record Clip records into the clip sink; without one the entry is left out.
    explicit GameActions(GameWindow& window, ClipSink* clips = nullptr,
                         const PictureFolder& folder = PictureFolder());

    QMenu& menu() const { return *menu_; }

  private:
    // An action of the window, so that its shortcut works while the menu is closed.
    QAction* addAction(const QString& text, const QList<QKeySequence>& keys,
                       std::function<void()> act);
    void addSpeedMenu();
    void openMenu(QPoint at);
    void showChecks();

    void changeSpeed(double speed);
    void toggleSound();
    void savePicture();
    void savePictureAs();
    void writePicture(const QImage& picture, const QString& path);
    void toggleRecording();

    GameWindow& window_;
    ClipSink* clips_;
    PictureFolder folder_;
    QMenu* menu_;
    // The entries that show the window's state.
    QAction* fit_ = nullptr;
    QAction* actualSize_ = nullptr;
    QAction* fullScreen_ = nullptr;
    QActionGroup* speeds_ = nullptr;
    QAction* sound_ = nullptr;
    QAction* record_ = nullptr;
    QString clipPath_;
    KeysPanel* keys_;
};
