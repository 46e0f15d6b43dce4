#include "TestWindow.h"
#include "game/Story.h"
#include "tour/Rehearsal.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleHints>
#include <QTextLayout>
#include <QtTest>

#include <memory>
#include <set>

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 120, 0);
const QRgb brown = qRgb(120, 50, 0);

bool isGold(QRgb pixel) {
    return qRed(pixel) >= 200 && qGreen(pixel) >= 200 && qBlue(pixel) == 0 && qRed(pixel) < 255 &&
           qGreen(pixel) < 255;
}

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> game;

    void open(double speed, QSize client = toQSize(DesignSize)) {
        game = std::make_unique<TestWindow>(speed);
        QVERIFY(game->show(client));
    }
    void click(QPoint at) { game->click(at); }
    void clickWindow(int times) { game->advance(times); }
    QAbstractButton* button(Action action) const { return game->window.button(action); }
    QLabel* label() const { return game->window.label(); }
    QRgb pixel(int x, int y) const { return game->pixel(x, y); }
    QStringList visibleButtons() const { return game->visibleButtons(); }
    QString caption() const { return game->caption(); }
    int step() const { return game->step(); }
    const GameRunner& runner() const { return game->window.runner(); }

  private slots:
    void cleanup() { game.reset(); }

    void startsWithItsTitleABlankCanvasAndNoButtons() {
        open(0);
        QCOMPARE(game->window.windowTitle(), QStringLiteral("Click to continue"));
        QCOMPARE(game->window.canvas().width(), 15360.0f);
        QCOMPARE(game->window.canvas().height(), 10800.0f);
        QVERIFY(visibleButtons().isEmpty());
        QVERIFY(label()->isVisible());
        QCOMPARE(caption(), QString());
        QCOMPARE(pixel(500, 500), qRgb(64, 64, 64));
        QCOMPARE(button(Action::FlameBreath)->text(), QStringLiteral("FLAME BREATH!!!!!  "));
        QCOMPARE(button(Action::EatHim)->geometry(), QRect(800, 296, 145, 73));
        QCOMPARE(label()->geometry(), QRect(528, 104, 369, 233));
    }

    void clicksOnTheLabelDoNotAdvanceTheStory() {
        open(0);
        click(TestWindow::OnLabel);
        QCOMPARE(step(), 0);
        click(TestWindow::Bare);
        QCOMPARE(caption(), QString::fromStdString(Story::Title));
        click(TestWindow::OnLabel);
        QCOMPARE(step(), 1);
    }

    void aDoubleClickAdvancesOneScreen() {
        open(0);
        QTest::mouseDClick(game->window.windowHandle(), Qt::LeftButton, {}, TestWindow::Bare);
        QCOMPARE(step(), 1);
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        QTest::mouseDClick(game->window.windowHandle(), Qt::LeftButton, {}, TestWindow::Bare);
        QCOMPARE(step(), 2);
    }

    void hiddenButtonsCannotBeClicked() {
        open(0);
        clickWindow(6);
        QVERIFY(visibleButtons().isEmpty());
        // Where the hidden EAT HIM!!!! button would be, outside the label: a window click.
        click(QPoint(900, 360));
        QCOMPARE(step(), 7);
        QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
        QCOMPARE(visibleButtons(), QStringList({"fire", "flame", "eat"}));
    }

    void theWholeGameThroughTheWindow() {
        open(0);
        clickWindow(7);
        QCOMPARE(visibleButtons(), QStringList({"fire", "flame", "eat"}));
        const std::pair<Action, const char*> attacks[] = {
            {Action::FireBall, "Buh-Bye."},
            {Action::FlameBreath, "Ooh that burns..."},
            {Action::EatHim, "Yummy..."}};
        for (const auto& [attack, message] : attacks) {
            click(button(attack)->geometry().center());
            QCOMPARE(caption(), QLatin1String(message));
            QVERIFY(label()->isVisible());
            QCOMPARE(visibleButtons(), QStringList({"again", "restart"}));
            click(TestWindow::Bare); // counts on, changes nothing
            QCOMPARE(caption(), QLatin1String(message));
            click(button(Action::TryAnotherChoice)->geometry().center());
            QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
            QCOMPARE(visibleButtons(), QStringList({"fire", "flame", "eat"}));
            QCOMPARE(step(), 7);
        }
        click(button(Action::FlameBreath)->geometry().center());
        click(button(Action::StartOver)->geometry().center());
        QVERIFY(visibleButtons().isEmpty());
        QCOMPARE(caption(), QStringLiteral(" "));
        QCOMPARE(pixel(266, 233), qRgb(64, 64, 64));
        click(TestWindow::Bare);
        QCOMPARE(caption(), QString::fromStdString(Story::Title));
    }

    void focusedButtonsPressFromTheKeyboardInTabOrder() {
        open(0);
        clickWindow(7);
        button(Action::FlameBreath)->setFocus();
        QWidget* order[] = {button(Action::FlameBreath), button(Action::FireBall),
                            button(Action::EatHim)};
        for (QWidget* expected : order) {
            QCOMPARE(QApplication::focusWidget(), expected);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), button(Action::FlameBreath));
        QTest::keyClick(button(Action::FlameBreath), Qt::Key_Space);
        game->waitUntilIdle();
        QCOMPARE(caption(), QStringLiteral("Ooh that burns..."));
        button(Action::TryAnotherChoice)->setFocus();
        QTest::keyClick(button(Action::TryAnotherChoice), Qt::Key_Return);
        game->waitUntilIdle();
        QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
    }

    // Every action the story offers can be taken through a visible control of the real window,
    // and no hidden control is ever offered.
    void everyActionTheStoryOffersHasAVisibleControl() {
        open(0);
        const std::vector<Action> play = {
            Action::Advance,          Action::Advance,     Action::Advance,   Action::Advance,
            Action::Advance,          Action::Advance,     Action::Advance,   Action::FireBall,
            Action::TryAnotherChoice, Action::FlameBreath, Action::StartOver, Action::Advance};
        std::set<Action> offered;
        for (const Action next : play) {
            for (const ActionName& entry : ActionNames) {
                if (!hasButton(entry.action))
                    continue;
                QCOMPARE(runner().offers(entry.action), button(entry.action)->isVisible());
                if (runner().offers(entry.action))
                    offered.insert(entry.action);
            }
            QVERIFY(runner().offers(next));
            const int before = step();
            click(hasButton(next) ? button(next)->geometry().center() : TestWindow::Bare);
            if (next == Action::Advance)
                QCOMPARE(step(), before + 1);
        }
        offered.insert(Action::EatHim); // offered with the other two attacks, checked above
        QCOMPARE(offered.size(), ActionNames.size() - 1);
    }

    // The recorder plans a recording by rehearsing it; the plan holds only if the rehearsal takes
    // exactly as long as the window, step by step.
    void theRehearsalTimesEachStepAsTheWindowDoes() {
        open(0);
        const ParsedTour tour =
            parseTour("click*7,fire,again,size:960x700,flame,again,eat,restart");
        QCOMPARE(QString::fromStdString(tour.reason), QString());
        const Rehearsal rehearsal = rehearse(tour.steps, {1024, 720}, 7);
        QVERIFY(!rehearsal.failure);
        for (std::size_t i = 0; i < tour.steps.size(); ++i) {
            if (const auto* size = std::get_if<PixelSize>(&tour.steps[i])) {
                game->window.resize(size->width, size->height);
                continue;
            }
            const Action action = std::get<Action>(tour.steps[i]);
            click(hasButton(action) ? button(action)->geometry().center() : TestWindow::Bare);
            QCOMPARE(runner().timeline().nominalNs(), rehearsal.nominalNs[i]);
        }
    }

    // What the view presented during and after each handler, read back from the screen, equals
    // the canvas wherever no control covers it: no part of a picture may stay unshown.
    void whatReachesTheScreenIsThePicture() {
        open(0);
        const auto compare = [this](const char* after) {
            const QImage shown = game->window.screen()
                                     ->grabWindow(game->window.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), game->window.size());
            QRegion covered;
            if (game->window.label()->isVisible())
                covered += game->window.label()->geometry();
            for (const ActionName& entry : ActionNames)
                if (hasButton(entry.action) && button(entry.action)->isVisible())
                    covered += button(entry.action)->geometry();
            const QImage canvas = wrappedImage(game->window.canvas().pixels());
            int wrong = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (!covered.contains(QPoint(x, y)) && shown.pixel(x, y) != canvas.pixel(x, y))
                        ++wrong;
            QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 pixels wrong after %2")
                                                .arg(wrong)
                                                .arg(QLatin1String(after))));
        };
        clickWindow(2);
        compare("the lair");
        clickWindow(4);
        compare("the goblin");
        click(button(Action::FlameBreath)->geometry().center());
        compare("the flame breath");
        click(button(Action::TryAnotherChoice)->geometry().center());
        compare("another choice");
        click(button(Action::EatHim)->geometry().center());
        compare("eating");
    }

    void theTitleWrapsOnePhrasePerLineInsideTheLabel() {
        open(0);
        const QString title = QString::fromStdString(Story::Title);
        const QStringList phrases = title.split(QRegularExpression(QStringLiteral(" {2,}")));
        QVERIFY(phrases.size() >= 3);
        QTextLayout layout(title, label()->font());
        QTextOption option(Qt::AlignHCenter);
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label()->width());
            lines << title.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        QCOMPARE(lines, phrases);
        const QFontMetrics metrics(label()->font());
        const QRect used = metrics.boundingRect(QRect(0, 0, label()->width(), 10000),
                                                Qt::AlignHCenter | Qt::TextWordWrap, title);
        QVERIFY(used.height() <= label()->height());
        QCOMPARE(used.height() / metrics.lineSpacing(), phrases.size());
    }

    void theLairAtTheDefaultSize() {
        open(0);
        clickWindow(6);
        QCOMPARE(pixel(266, 233), red);                 // body centre
        QCOMPARE(pixel(366, 200), qRgb(255, 255, 255)); // eyeball
        QCOMPARE(pixel(383, 210), qRgb(0, 0, 0));       // pupil
        QCOMPARE(pixel(400, 200), qRgb(0, 0, 0));       // brow
        QCOMPARE(pixel(2, 500), red);                   // tail at the left edge
        QCOMPARE(pixel(1000, 719), brown);              // floor, bottom row
        QCOMPARE(pixel(1000, 687), brown);              // floor, top row
        QCOMPARE(pixel(1000, 685), qRgb(64, 64, 64));
        QCOMPARE(pixel(890, 566), green); // goblin's head at the lower right, above the brows
        // Every gold pixel lies within the hoard's rows.
        QRect gold;
        for (int y = 0; y < 720; ++y)
            for (int x = 0; x < 1024; ++x)
                if (isGold(pixel(x, y)))
                    gold |= QRect(x, y, 1, 1);
        QVERIFY(QRect(QPoint(3000 / 15 - 8, 8400 / 15 - 3), QPoint(7000 / 15 + 8, 10400 / 15 + 3))
                    .contains(gold));
        QVERIFY(gold.width() > 250);
    }

    // At the stored height, and as narrow as the controls allow at their design places.
    void theGoblinFollowsTheLowerRightCorner() {
        open(0);
        clickWindow(5);
        game->window.resize(960, 621); // 14400 x 9315 twips
        QCOMPARE(game->window.canvas().width(), 14400.0f);
        click(TestWindow::Bare);
        QCOMPARE(pixel(826, 467), green); // head at (12400, 7315) twips, above the brows
        QCOMPARE(pixel(766, 487), qRgb(200, 200, 200)); // the wedge, held out to the left
        QCOMPARE(pixel(890, 566), qRgb(64, 64, 64));    // nothing where it stands at 1024 x 720
    }

    void clicksWhilePaintingAreHandledAfterwardsInOrder() {
        open(4);
        click(TestWindow::Bare); // the title
        // Apart from one another, so that no two clicks make a double-click.
        QTimer::singleShot(50, this, [this] { click(TestWindow::Bare + QPoint(40, 0)); });
        QTimer::singleShot(80, this, [this] { click(TestWindow::OnLabel); });
        QTimer::singleShot(110, this, [this] { click(TestWindow::Bare + QPoint(80, 0)); });
        QElapsedTimer painting;
        painting.start();
        click(TestWindow::Bare); // the lair: about half a second at four times the pace
        QVERIFY(painting.elapsed() > 300);
        QTRY_COMPARE(step(), 4);
        QVERIFY(caption().startsWith(QLatin1String("Yeah, yeah")));
    }

    // Held input goes to the widget Qt gave it when it came, but a button that is hidden by the
    // time its turn comes cannot be pressed: a click handed straight to Start Over while Try
    // Another Choice repaints the lair must not start the story over afterwards.
    void aHeldClickOnAButtonHiddenMeanwhilePressesNothing() {
        open(0);
        clickWindow(7);
        click(button(Action::FireBall)->geometry().center());
        game->window.runner().setSpeed(4);
        QTimer::singleShot(50, this, [this] {
            QVERIFY(runner().busy());
            QTest::mouseClick(button(Action::StartOver), Qt::LeftButton);
        });
        click(button(Action::TryAnotherChoice)->geometry().center()); // about a quarter second
        QTRY_VERIFY(!runner().busy());
        QTest::qWait(50); // the held click's turn
        QCOMPARE(caption(), QStringLiteral("Well? Whatcha gonna do?"));
        QCOMPARE(visibleButtons(), QStringList({"fire", "flame", "eat"}));
        QCOMPARE(pixel(266, 233), red);
    }

    void aResizeWhilePaintingIsSafeAndTheFloorFollows() {
        open(4);
        click(TestWindow::Bare);
        QTimer::singleShot(60, this, [this] { game->window.resize(960, 600); });
        click(TestWindow::Bare);
        QCOMPARE(game->window.canvas().height(), 9000.0f);
        QCOMPARE(pixel(700, 599), brown);
        QCOMPARE(pixel(266, 233), red);
    }

    void closingWhilePaintingEndsPromptly() {
        open(1);
        click(TestWindow::Bare);
        QTimer::singleShot(0, this, [this] { click(TestWindow::Bare); });
        QTimer::singleShot(300, this, [this] { game->window.close(); });
        QElapsedTimer timer;
        timer.start();
        const int status = QApplication::exec();
        QCOMPARE(status, 0);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(step(), 2);
    }
};

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
