#include "TestWindow.h"
#include "game/Story.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The bands of rows in which some pixel is of the text's colour: the lines a player would count.
int textLines(const QImage& image, const std::function<bool(QRgb)>& isText) {
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool text = false;
        for (int x = 0; x < image.width() && !text; ++x)
            text = isText(image.pixel(x, y));
        lines += text && !inLine;
        inLine = text;
    }
    return lines;
}

// White on the label's dark grey, drawn over at least about half a pixel.
bool isLabelText(QRgb pixel) {
    return qGray(pixel) > 150;
}

// Black on a button's red face; the bevel's dark edges are left out of the grab.
bool isButtonText(QRgb pixel) {
    return qRed(pixel) < 150;
}

} // namespace

// The captions as a player reads them, at every zoom of the fitted view and at the screen's pixel
// ratio (this test runs once at each of 1, 1.5 and 2).
class CaptionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> game;

    void open(QSize size, ViewMode view = ViewMode::Fit) {
        game = std::make_unique<TestWindow>(0, view);
        game->window.setSettleDelay(0);
        QVERIFY(game->show(size));
    }
    void resize(QSize size) {
        game->window.resize(size);
        QCOMPARE(game->window.size(), size);
    }
    QAbstractButton* button(Action action) const { return game->window.button(action); }
    int labelLines() const {
        return textLines(game->window.label()->grab().toImage(), isLabelText);
    }
    int buttonLines(Action action) const {
        QAbstractButton* control = button(action);
        // Inside the bevel, which is two pixels wide.
        const QImage face = control->grab(control->rect().adjusted(2, 2, -2, -2)).toImage();
        return textLines(face, isButtonText);
    }

    // Fitted windows from the smallest to well over the design, the first few measured wrapping
    // with whole-pixel fonts.
    static QList<QSize> ladder() {
        return {QSize(1008, 708),     QSize(640, 450),  QSize(900, 633),   QSize(512, 360),
                toQSize(MinimumSize), QSize(400, 281),  QSize(1024, 720),  QSize(1057, 743),
                QSize(1100, 774),     QSize(1280, 900), QSize(1600, 1125), QSize(2048, 1440),
                QSize(2560, 1800)};
    }

  private slots:
    void cleanup() { game.reset(); }

    void everyCaptionKeepsItsLinesAtEveryZoom() {
        open(toQSize(DesignSize));
        game->advance(1);
        for (const QSize size : ladder()) {
            resize(size);
            QCOMPARE(labelLines(), 4); // the title's four phrases
        }
        game->advance(6);
        QCOMPARE(game->caption(), QString::fromStdString(Story::Question));
        for (const QSize size : ladder()) {
            resize(size);
            const QByteArray at =
                QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
            QVERIFY2(labelLines() == 1, at);
            QVERIFY2(buttonLines(Action::FireBall) == 1, at);
            QVERIFY2(buttonLines(Action::FlameBreath) == 2, at);
            QVERIFY2(buttonLines(Action::EatHim) == 1, at);
        }
        game->play(Action::FireBall);
        for (const QSize size : ladder()) {
            resize(size);
            const QByteArray at =
                QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
            QVERIFY2(buttonLines(Action::TryAnotherChoice) == 1, at);
            QVERIFY2(buttonLines(Action::StartOver) == 1, at);
        }
    }

    void theWindowIsNoSmallerThanTheSmallestLayout() {
        open(QSize(100, 80));
        QCOMPARE(game->window.size(), toQSize(MinimumSize));
    }

    // Under a right-to-left desktop (-reverse) the captions still read left to right, exactly
    // as under a left-to-right one.
    void captionsReadLeftToRightUnderAReversedDesktop() {
        const auto grabs = [this] {
            open(toQSize(DesignSize), ViewMode::Actual);
            game->advance(7);
            QList<QImage> images{game->window.label()->grab().toImage()};
            for (const Action action : Layout::TabOrder)
                if (button(action)->isVisible())
                    images << button(action)->grab().toImage();
            return images;
        };
        const QList<QImage> leftToRight = grabs();
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        const QList<QImage> reversed = grabs();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(reversed.size(), 4);
        QCOMPARE(reversed, leftToRight);
    }
};

QTEST_MAIN(CaptionTest)
#include "CaptionTest.moc"
