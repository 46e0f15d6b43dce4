#pragma once

#include <QObject>

class GameWindow;

// A plain letter for each command button (F for FIRE BALL, and so on). Pressing it is story
// input, like a click: while a picture paints it waits its turn at the player's input gate, and
// only then is the button pressed, if it is still shown and the keys and help is not open.
class ButtonKeys : public QObject {
    Q_OBJECT

  public:
    explicit ButtonKeys(GameWindow& window);
};
