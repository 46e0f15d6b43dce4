#pragma once

#include "canvas/RasterCanvas.h"
#include "game/Layout.h"
#include "qt/CoreToQt.h"
#include "window/GameWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QtTest>

#include <cstdint>
#include <optional>

// A game window as the widget tests play it, with a fixed seed unless told otherwise: shown as
// a player sees it, and clicked and typed at through the window system, as a player would.
class TestWindow {
  public:
    // In actual size: the client area away from the label and the buttons, and the label.
    static constexpr QPoint Bare{100, 600};
    static constexpr QPoint OnLabel{700, 150};

    explicit TestWindow(double speed, ViewMode view = ViewMode::Actual,
                        std::optional<std::uint64_t> seed = 7)
        : window(options(speed, view, seed)) {}

    // Whether the window system shows it, at this size.
    bool show(QSize size = toQSize(DesignSize)) {
        window.resize(size);
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    // Keys go to the active window only.
    bool activate() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // What a click or a key starts has played to its end, and is on screen, when it returns; made
    // while a picture paints, it is held and returns at once.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        const bool held = window.runner().busy();
        QTest::mouseClick(window.windowHandle(), button, {}, at);
        if (!held)
            waitUntilIdle();
    }
    // Advance clicks the bare client area, any other action its button.
    void play(Action action, QPoint bare = Bare) {
        click(hasButton(action) ? window.button(action)->geometry().center() : bare);
    }
    void advance(int times, QPoint bare = Bare) {
        for (int i = 0; i < times; ++i)
            play(Action::Advance, bare);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        const bool held = window.runner().busy();
        QTest::keyClick(window.windowHandle(), static_cast<Qt::Key>(key), modifiers);
        if (!held)
            waitUntilIdle();
    }
    // Until the picture under way and what is held have played at the game's own pace, and the
    // frame loop has shown the end.
    void waitUntilIdle(int timeoutMs = 20000) {
        QTRY_VERIFY_WITH_TIMEOUT(!window.runner().busy() && !window.frameLoop().running(),
                                 timeoutMs);
    }

    int step() const { return window.runner().story().storyStep(); }
    QString caption() const { return window.label()->text(); }
    bool shown(Action action) const { return window.button(action)->isVisible(); }
    // By their tour step names: "fire", "flame", "eat", "again", "restart".
    QStringList visibleButtons() const {
        QStringList names;
        for (const ActionName& entry : ActionNames)
            if (hasButton(entry.action) && shown(entry.action))
                names << toQString(entry.step);
        return names;
    }
    QRgb pixel(int x, int y) const { return wrappedImage(window.canvas().pixels()).pixel(x, y); }

    GameWindow window;

  private:
    static GameOptions options(double speed, ViewMode view, std::optional<std::uint64_t> seed) {
        GameOptions options;
        options.speed = speed;
        options.view = view;
        options.seed = seed;
        return options;
    }
};
