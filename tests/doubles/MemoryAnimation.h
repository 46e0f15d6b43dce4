#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QSize>

// An animation writer at work on a buffer in memory, opened for a screen of the given size.
template <typename Writer> class MemoryAnimation {
  public:
    explicit MemoryAnimation(QSize screen) {
        out_.open(QIODevice::WriteOnly);
        opened_ = writer_.open(out_, screen);
    }

    bool opened() const { return opened_; }
    Writer* operator->() { return &writer_; }
    // What the writer has written so far.
    QByteArray bytes() const { return out_.data(); }

  private:
    QBuffer out_;
    Writer writer_;
    bool opened_ = false;
};
