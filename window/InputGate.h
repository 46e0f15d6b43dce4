#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class GameRunner;
class QEvent;

// Holds back mouse and keyboard input while the runner is busy, each event in the runner's
// queue in its turn, and replays it when the runner hands it back, to the widget Qt gave it when
// it arrived. Everything else (paint, resize, close, the window's own shortcuts) keeps flowing,
// so the window stays alive during an animation.
class InputGate : public QObject {
    Q_OBJECT

  public:
    InputGate(GameRunner& runner, QObject* parent = nullptr);
    ~InputGate() override;

    // Story input that does not come as an event (a shortcut, say): runs now when the runner is
    // not busy, else in its turn.
    void defer(std::function<void()> action);
    // The held item's turn has come.
    void replay(std::uint32_t item);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
        std::function<void()> action; // instead of an event
    };
    void hold(Held held);

    GameRunner& runner_;
    std::map<std::uint32_t, Held> held_;
    std::uint32_t next_ = 0;
    bool replaying_ = false;
};
