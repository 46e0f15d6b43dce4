#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

// An output that takes the first `capacity` bytes and refuses the rest, as a full disk does: a
// write that does not fit stores what fits and says so, the next one fails outright.
class FailingDevice : public QIODevice {
  public:
    explicit FailingDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }

    const QByteArray& data() const { return data_; }
    // Writes asked for once it was full.
    int refused() const { return refused_; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* bytes, qint64 length) override {
        const qint64 room = capacity_ - data_.size();
        if (room <= 0) {
            ++refused_;
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(room, length);
        data_.append(bytes, taken);
        return taken;
    }

  private:
    qint64 capacity_;
    QByteArray data_;
    int refused_ = 0;
};
