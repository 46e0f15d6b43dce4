#include "CueLog.h"
#include "canvas/RasterCanvas.h"
#include "game/NoControls.h"
#include "game/Session.h"
#include "record/Recorder.h"
#include "record/WavFile.h"
#include "tour/Rehearsal.h"

#include <QtTest>

#include <algorithm>

namespace {

constexpr PixelSize Client = DesignSize;
constexpr std::int64_t SamplesPerMs = Mixer::SampleRate / 1000;
// About -54 dBFS: every cue is louder within its first millisecond, and a fade's tail is not.
constexpr int Loud = 64;
// An onset is the first loud sample after this much silence.
constexpr std::int64_t QuietBefore = 30 * SamplesPerMs;
constexpr std::int64_t Tolerance = 10 * SamplesPerMs;

std::uint32_t littleEndian(const QByteArray& bytes, int at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::vector<std::int16_t> samplesOf(const QByteArray& wav) {
    if (wav.size() < WavFile::HeaderBytes)
        return {};
    std::vector<std::int16_t> samples((wav.size() - WavFile::HeaderBytes) / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(
            littleEndian(wav, WavFile::HeaderBytes + 2 * static_cast<int>(i), 2));
    return samples;
}

// Where each cue starts on the recording's clock, worked out from the core alone: the tour's
// pictures painted on a canvas of their own with a log for their marks, each placed after the
// holds a recording makes (0.5 s on the opened window, 1.5 s after each step).
std::vector<std::int64_t> cueStarts(const std::vector<TourStep>& tour, std::uint64_t seed) {
    RasterCanvas canvas(Client);
    NoControls controls;
    CueLog log;
    Session session(canvas, controls, seed, log);
    std::vector<std::int64_t> starts;
    std::int64_t pictureNs = OpeningHoldNs;
    for (const TourStep& step : tour) {
        log.clear();
        session.perform(std::get<Action>(step)).finish();
        for (const CueLog::Mark& mark : log.marks())
            if (mark.kind != Mixer::Event::Kind::Stop)
                starts.push_back(Mixer::sampleAt(pictureNs + mark.nominalNs));
        pictureNs += session.timeline().nominalNs() + StepHoldNs;
    }
    return starts;
}

bool quiet(const std::vector<std::int16_t>& samples, std::int64_t from, std::int64_t to) {
    return std::all_of(samples.begin() + std::max<std::int64_t>(from, 0), samples.begin() + to,
                       [](std::int16_t sample) { return std::abs(sample) < Loud; });
}

// Every sound in the track that follows silence, by its first loud sample.
std::vector<std::int64_t> onsets(const std::vector<std::int16_t>& samples) {
    std::vector<std::int64_t> found;
    std::int64_t lastLoud = -QuietBefore - 1;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(samples.size()); ++i) {
        if (std::abs(samples[static_cast<std::size_t>(i)]) < Loud)
            continue;
        if (i - lastLoud > QuietBefore)
            found.push_back(i);
        lastLoud = i;
    }
    return found;
}

bool near(const std::vector<std::int64_t>& samples, std::int64_t at) {
    return std::any_of(samples.begin(), samples.end(),
                       [at](std::int64_t sample) { return std::abs(sample - at) <= Tolerance; });
}

} // namespace

// The soundtrack a recording writes to a .wav: the cues on the same timeline as the pictures of
// the same tour, holds included, the same bytes for the same seed.
class SoundtrackTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QByteArray record(const QString& steps, std::uint64_t seed, double speed = 1,
                      ViewMode view = ViewMode::Actual) {
        RecordOptions options;
        options.game.seed = seed;
        options.game.speed = speed;
        options.game.view = view;
        options.tour = parseTour(steps.toStdString()).steps;
        options.size = Client;
        const QString path = dir.filePath(QStringLiteral("track.wav"));
        TourRecorder recorder(path, options);
        if (!recorder.rehearse() || !recorder.open() || !recorder.play())
            return {};
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // 16-bit PCM, mono, 48 kHz, as long as the GIF of the same tour.
    void theHeaderDescribesTheSamplesThatFollow() {
        const QByteArray wav = record(QStringLiteral("click*2"), 5);
        QVERIFY(wav.size() > WavFile::HeaderBytes);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(littleEndian(wav, 4, 4), static_cast<std::uint32_t>(wav.size() - 8));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(littleEndian(wav, 16, 4), 16u); // the format chunk's size
        QCOMPARE(littleEndian(wav, 20, 2), 1u);  // PCM
        QCOMPARE(littleEndian(wav, 22, 2), 1u);  // mono
        QCOMPARE(littleEndian(wav, 24, 4), 48'000u);
        QCOMPARE(littleEndian(wav, 28, 4), 96'000u); // bytes a second
        QCOMPARE(littleEndian(wav, 32, 2), 2u);      // bytes a sample
        QCOMPARE(littleEndian(wav, 34, 2), 16u);     // bits a sample
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        QCOMPARE(littleEndian(wav, 40, 4),
                 static_cast<std::uint32_t>(wav.size() - WavFile::HeaderBytes));

        // The opened window, the title, the lair and the end, held as a GIF holds them.
        const Rehearsal rehearsal = rehearse(parseTour("click*2").steps, Client, 5);
        const std::int64_t totalNs =
            OpeningHoldNs + StepHoldNs + rehearsal.nominalNs[1] + ClosingHoldNs;
        QCOMPARE(static_cast<std::int64_t>(samplesOf(wav).size()), Mixer::sampleAt(totalNs));
    }

    // Each cue is heard where the picture marks it on the recording's clock, and nothing else
    // is: every sound after silence is a cue's start, within 10 ms.
    void eachCueStartsWhereItsPictureMarksIt() {
        const std::vector<std::int16_t> samples =
            samplesOf(record(QString::fromLatin1(DefaultTour), 3));
        const std::vector<std::int64_t> expected = cueStarts(parseTour(DefaultTour).steps, 3);
        const std::vector<std::int64_t> heard = onsets(samples);
        for (const std::int64_t onset : heard)
            QVERIFY2(near(expected, onset),
                     qPrintable(QStringLiteral("a sound at %1 s no cue marks")
                                    .arg(onset / double(Mixer::SampleRate))));
        // A cue that overlaps another's sound cannot be told apart here; the rest must be.
        int checked = 0;
        for (const std::int64_t start : expected) {
            if (!quiet(samples, start - QuietBefore, start - Tolerance))
                continue;
            QVERIFY2(
                near(heard, start),
                qPrintable(
                    QStringLiteral("no cue heard at %1 s").arg(start / double(Mixer::SampleRate))));
            ++checked;
        }
        // The lair's rumble and coins, each goblin, each attack's growl, the chews.
        QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
        QVERIFY(quiet(samples, 0, expected.front()));
    }

    // The recording keeps nominal time whatever the speed; the seed decides the flames, and
    // with them how long the roar lasts.
    void theSameSeedGivesTheSameBytesAtAnySpeed() {
        const QString flame = QStringLiteral("click*7,flame");
        const QByteArray first = record(flame, 5);
        QVERIFY(!first.isEmpty());
        QCOMPARE(record(flame, 5), first);
        QCOMPARE(record(flame, 5, 0), first);
        QCOMPARE(record(flame, 5, 0.25), first);
        QVERIFY(record(flame, 6) != first);
    }

    // A resize paints the scene again for the new size, and that adds only its silent hold.
    void aResizeRepaintsTheSceneSilently_data() {
        QTest::addColumn<ViewMode>("view");
        QTest::newRow("actual") << ViewMode::Actual;
        QTest::newRow("fit") << ViewMode::Fit;
    }
    void aResizeRepaintsTheSceneSilently() {
        QFETCH(ViewMode, view);
        const std::vector<std::int16_t> lair =
            samplesOf(record(QStringLiteral("click*2"), 5, 1, view));
        const std::vector<std::int16_t> resized =
            samplesOf(record(QStringLiteral("click*2,size:800x600"), 5, 1, view));
        QVERIFY(!lair.empty());
        QCOMPARE(resized.size(),
                 lair.size() + static_cast<std::size_t>(Mixer::sampleAt(StepHoldNs)));
        QVERIFY(std::equal(lair.begin(), lair.end(), resized.begin()));
        QVERIFY(quiet(resized, static_cast<std::int64_t>(lair.size()),
                      static_cast<std::int64_t>(resized.size())));
    }
};

QTEST_MAIN(SoundtrackTest)
#include "SoundtrackTest.moc"
