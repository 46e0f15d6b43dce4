#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QIODevice;
struct GifFileType;

// A fixed 256-colour palette: every colour the game paints or its controls show exactly, then
// ramps for gold, fire, flames and antialiased text, then an even spread for anything else.
class GifPalette {
  public:
    GifPalette();

    static const std::array<QRgb, 256>& Colours();
    // The nearest entry (plain RGB distance, lowest index on a tie); remembered per colour.
    std::uint8_t Nearest(QRgb colour);

  private:
    std::unordered_map<QRgb, std::uint8_t> cache_;
};

// Writes a looping animated GIF as the pictures arrive. Each picture is stored as the rectangle
// that differs from the one before; an identical picture only lengthens the one before. A
// picture's delay is the time until the next one, rounded so that the delays add up to the
// whole.
class GifWriter {
  public:
    GifWriter() = default;
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Every picture must then have the screen's size.
    bool Open(QIODevice& out, QSize screen);
    // The picture shown from startNs on; startNs only grows.
    bool AddFrame(const QImage& picture, std::int64_t startNs);
    // The last picture lasts until endNs. Closes the animation.
    bool Finish(std::int64_t endNs);

    int FramesWritten() const { return written_; }
    const QString& ErrorString() const { return error_; }

  private:
    struct Pending {
        QRect rect;
        std::vector<std::uint8_t> indices;
        std::int64_t startNs = 0;
    };
    bool writePending(std::int64_t endNs);
    bool writeFrame(const QRect& rect, const std::uint8_t* indices, int delay);
    bool failed(const char* what, int code);

    QIODevice* out_ = nullptr;
    GifFileType* gif_ = nullptr;
    GifPalette palette_;
    QImage previous_;
    Pending pending_;
    bool hasPending_ = false;
    int written_ = 0;
    QString error_;
};
