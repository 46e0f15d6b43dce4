#pragma once

#include "record/GifWriter.h"
#include "window/ClipSink.h"

#include "files/SafeFile.h"
#include <QElapsedTimer>
#include <QImage>
#include <QObject>

#include <QTimer>

#include <optional>

class GameWindow;

// Records what the game window shows, in real time, as an animated GIF: twenty times a second it
// takes the window as it is, also while a picture paints. The clip keeps the size it started
// with, at most 1280 pixels wide; if the window changes size meanwhile, its pictures are scaled
// to fit, centred on black. While it records, the window's title says so. Closing the window
// finishes the clip; the file appears only once it is complete. It must not outlive the window.
class ClipRecorder : public QObject, public ClipSink {
    Q_OBJECT

  public:
    explicit ClipRecorder(GameWindow& window);
    ~ClipRecorder() override;

    QString fileSuffix() const override { return QStringLiteral("gif"); }
    bool start(const QString& path) override;
    bool stop() override;
    bool recording() const override { return gif_.has_value(); }
    QString errorString() const override { return error_; }

    static constexpr int FrameMs = 50;
    static constexpr int WidestClip = 1280;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window as it is now; false, with the clip abandoned, if it cannot be written.
    bool takeFrame();
    QImage fitted(QImage shown) const;
    bool fail(const QString& error);
    bool failWriting(const QString& why);
    void end();

    GameWindow& window_;
    std::optional<SafeFile> file_;
    std::optional<GifWriter> gif_;
    QSize size_;
    QTimer timer_;
    QElapsedTimer clock_;
    QString title_;
    QString error_;
};
