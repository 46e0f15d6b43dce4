#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Ends the game on SIGTERM, SIGINT or SIGHUP as closing its window does: the painting stops at
// its next primitive, a clip being recorded is finished, the settings are saved and the program
// exits with status 0. The signal handler only writes a byte to a socket; the event loop reads
// it and closes the window.
class SignalCloser : public QObject {
    Q_OBJECT

  public:
    explicit SignalCloser(QWidget& window);
    ~SignalCloser() override;
    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

  private:
    void closeWindow();

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
};
