#include "window/GameSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <cstdio>

namespace {

const QString GeometryKey = QStringLiteral("window/geometry");
const QString ViewKey = QStringLiteral("game/view");
const QString SpeedKey = QStringLiteral("game/speed");
const QString FitName = QStringLiteral("fit");
const QString ActualName = QStringLiteral("actual");

// Beyond these the pace is either a still picture or no different from instant.
constexpr double SlowestSpeed = 1.0 / 64;
constexpr double FastestSpeed = 64;

std::optional<ViewMode> viewNamed(const QString& name) {
    if (name == FitName)
        return ViewMode::Fit;
    if (name == ActualName)
        return ViewMode::Actual;
    return std::nullopt;
}

// Moved and shrunk as little as it takes for the shown window, frame and all, to lie within the
// screen's room for windows. A maximized one is the window manager's to place.
void keepOnScreen(QWidget& window) {
    QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen || window.isMaximized())
        return;
    const QRect room = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QMargins margins(
        window.geometry().left() - frame.left(), window.geometry().top() - frame.top(),
        frame.right() - window.geometry().right(), frame.bottom() - window.geometry().bottom());
    QRect kept = frame;
    kept.setSize(kept.size().boundedTo(room.size()));
    kept.moveLeft(std::clamp(kept.left(), room.left(), room.right() + 1 - kept.width()));
    kept.moveTop(std::clamp(kept.top(), room.top(), room.bottom() + 1 - kept.height()));
    if (kept != frame)
        window.setGeometry(kept.marginsRemoved(margins));
}

} // namespace

GameSettings::GameSettings()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("brumox"), QStringLiteral("brumox"))) {
    read();
}

GameSettings::GameSettings(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {
    read();
}

GameSettings::~GameSettings() = default;

void GameSettings::read() {
    geometry_ = settings_->value(GeometryKey).toByteArray();
    view_ = viewNamed(settings_->value(ViewKey).toString());
    bool ok = false;
    const double speed = settings_->value(SpeedKey).toDouble(&ok);
    if (ok && (speed == 0 || (speed >= SlowestSpeed && speed <= FastestSpeed)))
        speed_ = speed;
    // QSettings parses only the sections it is asked about: reading them all finds the garbage.
    settings_->allKeys();
    if (settings_->status() == QSettings::NoError)
        return;
    unreadable_ = true;
    geometry_.clear();
    view_.reset();
    speed_.reset();
    std::fprintf(stderr, "brumox: ignoring unreadable settings in %s\n",
                 qPrintable(settings_->fileName()));
}

void GameSettings::applyAtStart(GameWindow& window, const StartupChoices& choices) {
    choices_ = choices;
    if (const std::optional<double> speed = choices.speed ? choices.speed : speed_)
        window.player().setSpeed(*speed);
    if (const std::optional<ViewMode> view = choices.view ? choices.view : view_)
        window.setViewMode(*view);

    if (choices.size) {
        window.resize(*choices.size);
        window.show();
    } else if (!geometry_.isEmpty() && window.restoreGeometry(geometry_)) {
        window.setWindowState(window.windowState() & ~Qt::WindowFullScreen);
        window.show();
        keepOnScreen(window);
    } else {
        window.showAtPreferredSize(choices.view ? choices.view : view_);
    }
    if (choices.fullScreen && !window.isFullScreen())
        window.toggleFullScreen();
}

void GameSettings::save(const GameWindow& window) {
    // Whatever a file that could not be read held is of no use: it is written afresh.
    if (unreadable_)
        settings_->clear();
    if (!choices_.size)
        settings_->setValue(GeometryKey, window.saveGeometry());
    // Fullscreen always fits, whatever the player chose for the window.
    if (!choices_.view && !window.isFullScreen())
        settings_->setValue(ViewKey, window.viewMode() == ViewMode::Fit ? FitName : ActualName);
    if (!choices_.speed)
        settings_->setValue(SpeedKey, window.player().speed());
    settings_->sync();
    if (settings_->status() == QSettings::AccessError)
        std::fprintf(stderr, "brumox: cannot save the settings in %s\n",
                     qPrintable(settings_->fileName()));
}
