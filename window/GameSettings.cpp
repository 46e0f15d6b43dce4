#include "window/GameSettings.h"

#include "qt/CoreToQt.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <cstdio>

namespace {

const QString GeometryKey = QStringLiteral("window/geometry");
const QString ViewKey = QStringLiteral("game/view");
const QString SoundKey = QStringLiteral("game/sound");
const QString SoundOn = QStringLiteral("on");
const QString SoundOff = QStringLiteral("off");
// Remembered by older versions; no longer read, and dropped on saving.
const QString SpeedKey = QStringLiteral("game/speed");

// What QWidget::saveGeometry() starts with.
constexpr quint32 SavedGeometryMagic = 0x1D9D0CB;

// The client rectangle in what QWidget::saveGeometry() wrote (Qt 6 writes version 3), or
// nothing when the bytes are not that or are cut off: restoreGeometry() itself does not check.
std::optional<QRect> savedClient(const QByteArray& geometry) {
    QDataStream stream(geometry);
    stream.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0;
    quint16 minor = 0;
    QRect frame;
    QRect normal;
    qint32 screen = 0;
    quint8 maximized = 0;
    quint8 fullScreen = 0;
    qint32 screenWidth = 0;
    QRect client;
    stream >> magic >> major >> minor >> frame >> normal >> screen >> maximized >> fullScreen >>
        screenWidth >> client;
    if (stream.status() != QDataStream::Ok || magic != SavedGeometryMagic || major != 3)
        return std::nullopt;
    return client;
}

// Whether a window of this client rectangle is one the player can use: at least the smallest
// client, no larger than the screens' room for windows, and mostly on it.
bool usable(const QRect& client) {
    if (client.width() < MinimumSize.width || client.height() < MinimumSize.height)
        return false;
    QRegion room;
    for (const QScreen* screen : QGuiApplication::screens())
        room += screen->availableGeometry();
    const QRect bounds = room.boundingRect();
    if (client.width() > bounds.width() || client.height() > bounds.height())
        return false;
    const auto area = [](const QRect& rect) { return qint64(rect.width()) * rect.height(); };
    qint64 onScreen = 0;
    for (const QRect& part : room.intersected(client))
        onScreen += area(part);
    return 2 * onScreen >= area(client);
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
    const QVariant view = settings_->value(ViewKey);
    view_ = viewNamed(view.toString().toStdString());
    const QVariant sound = settings_->value(SoundKey);
    if (sound.toString() == SoundOn || sound.toString() == SoundOff)
        muted_ = sound.toString() == SoundOff;
    // QSettings parses only the sections it is asked about: reading them all finds the garbage.
    settings_->allKeys();
    if (settings_->status() != QSettings::NoError) {
        unreadable_ = true;
        geometry_.clear();
        view_.reset();
        muted_.reset();
        std::fprintf(stderr, "brumox: ignoring unreadable settings in %s\n",
                     qPrintable(settings_->fileName()));
        return;
    }
    if (!geometry_.isEmpty()) {
        const std::optional<QRect> client = savedClient(geometry_);
        if (!client || !usable(*client)) {
            brokenGeometry_ = true;
            geometry_.clear();
            std::fprintf(stderr, "brumox: ignoring the remembered window geometry\n");
        }
    }
    if (view.isValid() && !view_) {
        brokenView_ = true;
        std::fprintf(stderr, "brumox: ignoring the remembered view\n");
    }
    if (sound.isValid() && !muted_) {
        brokenSound_ = true;
        std::fprintf(stderr, "brumox: ignoring the remembered sound setting\n");
    }
}

void GameSettings::applyAtStart(GameWindow& window, const StartupChoices& choices) {
    choices_ = choices;
    if (const std::optional<ViewMode> view = choices.view ? choices.view : view_)
        window.setViewMode(*view);
    window.setMuted(choices.mute || muted_.value_or(false));

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
    settings_->remove(SpeedKey);
    if (!choices_.size)
        settings_->setValue(GeometryKey, window.saveGeometry());
    else if (brokenGeometry_)
        settings_->remove(GeometryKey);
    // Fullscreen always fits, whatever the player chose for the window.
    if (!choices_.view && !window.isFullScreen())
        settings_->setValue(ViewKey, toQString(viewName(window.viewMode())));
    else if (brokenView_)
        settings_->remove(ViewKey);
    if (!choices_.mute)
        settings_->setValue(SoundKey, window.muted() ? SoundOff : SoundOn);
    else if (brokenSound_)
        settings_->remove(SoundKey);
    settings_->sync();
    if (settings_->status() == QSettings::AccessError)
        std::fprintf(stderr, "brumox: cannot save the settings in %s\n",
                     qPrintable(settings_->fileName()));
}
