#pragma once

#include <QObject>

class GameWindow;

// What screen readers say about the window: each button by its plain name and its key, and the
// picture by what the story has put on it so far.
class AccessibleStory : public QObject {
    Q_OBJECT

  public:
    explicit AccessibleStory(GameWindow& window);

  private:
    void describePicture();

    GameWindow& window_;
};
