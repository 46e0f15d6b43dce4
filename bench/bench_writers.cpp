// How small and how fast each animation writer stores the default tour. The frames come from a
// GIF of the tour (recorded on the spot unless one is given), so every writer sees the same
// pictures at the same times; sizes are also given as a share of that GIF. Those pictures hold
// only the palette's colours: a WebP of the window's own pixels comes out a little larger.

#include "GifFrames.h"
#include "record/GifWriter.h"
#include "record/WebpWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Frame {
    QImage picture;
    std::int64_t startNs = 0;
};

// Writes the frames with one writer, several times; prints the size and the best time.
template <typename Writer>
void measure(const char* name, const std::vector<Frame>& frames, std::int64_t endNs,
             qint64 reference) {
    double best = 1e9;
    qint64 size = 0;
    for (int run = 0; run < 3; ++run) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        Writer writer;
        const auto start = std::chrono::steady_clock::now();
        bool ok = writer.open(out, frames.front().picture.size());
        for (const Frame& frame : frames)
            ok = ok && writer.addFrame(frame.picture, frame.startNs);
        ok = ok && writer.finish(endNs);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        if (!ok) {
            std::printf("%-6s failed: %s\n", name, qPrintable(writer.errorString()));
            return;
        }
        best = std::min(best, spent.count());
        size = out.data().size();
    }
    std::printf("%-6s %10lld bytes %6.3fx %8.3f s\n", name, static_cast<long long>(size),
                static_cast<double>(size) / reference, best);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    QString path = app.arguments().value(1);
    if (path.isEmpty()) {
        path = scratch.filePath(QStringLiteral("tour.gif"));
        const int status = QProcess::execute(
            app.applicationDirPath() + QStringLiteral("/brumox"),
            {QStringLiteral("--record"), path, QStringLiteral("--seed"), QStringLiteral("3")});
        if (status != 0) {
            std::fprintf(stderr, "bench_writers: recording the tour failed\n");
            return 1;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_writers: cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray tour = file.readAll();
    std::vector<Frame> frames;
    std::int64_t ns = 0;
    ReadGif(tour, [&](const StoredFrame& stored, const QImage& screen) {
        frames.push_back({screen.copy(), ns});
        ns += stored.delay * 10'000'000LL;
    });
    if (frames.empty()) {
        std::fprintf(stderr, "bench_writers: %s is no GIF\n", qPrintable(path));
        return 1;
    }
    std::printf("%s: %zu frames, %lld bytes, %.2f s long\n", qPrintable(path), frames.size(),
                static_cast<long long>(tour.size()), ns * 1e-9);
    measure<GifWriter>("gif", frames, ns, tour.size());
    measure<WebpWriter>("webp", frames, ns, tour.size());
    return 0;
}
