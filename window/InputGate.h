#pragma once

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>

class QEvent;

// Holds back mouse and keyboard input while a handler paints, and replays it in order once the
// handler has returned, each event to the widget Qt gave it when it arrived. Everything else
// (paint, resize, close) keeps flowing, so the window stays alive during an animation.
class InputGate : public QObject {
    Q_OBJECT

  public:
    explicit InputGate(QObject* parent = nullptr);
    ~InputGate() override;

    void setBusy(bool busy);
    bool busy() const { return busy_; }
    // Story input that does not come as an event (a shortcut, say): runs now when nothing is
    // held, else in its turn after what is held already.
    void defer(std::function<void()> action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void replay();

    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
        std::function<void()> action; // instead of an event
    };
    std::deque<Held> held_;
    bool busy_ = false;
};
