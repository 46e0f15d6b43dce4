#pragma once

#include "files/SafeFile.h"
#include "record/GifWriter.h"
#include "window/ClipSink.h"

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
    QString errorString() const override;

    static constexpr int FrameMs = 50;
    static constexpr int WidestClip = 1280;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window as it is now; false, with the clip abandoned, if it cannot be written.
    bool takeFrame();
    QImage fitted(QImage shown) const;
    // Ends the clip and lets go of its file. Where writing failed, the file's own failure (a full
    // disk, say) comes first; otherwise the writer's, named by the file.
    bool fail(Failure failure);
    void end();

    GameWindow& window_;
    std::optional<SafeFile> file_;
    std::optional<GifWriter> gif_;
    QSize size_;
    QTimer timer_;
    QElapsedTimer clock_;
    QString title_;
    std::optional<Failure> failure_;
};
