#include "window/GameActions.h"

#include "files/PictureWriter.h"
#include "game/SpeedSteps.h"
#include "window/ClipSink.h"
#include "window/GameWindow.h"
#include "window/Keys.h"
#include "window/KeysPanel.h"
#include "window/Notice.h"
#include "window/PictureGrab.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>

namespace {

QList<QKeySequence> keysOf(WindowCommand command) {
    return keySequences(bindingFor(command));
}

// An entry that shows a key it does not own: V toggles between the two View entries.
QString withKey(const QString& text, const QKeySequence& key) {
    return text + QLatin1Char('\t') + key.toString(QKeySequence::NativeText);
}

QString speedText(double speed) {
    return QString::fromStdString(speedName(speed));
}

} // namespace

GameActions::GameActions(GameWindow& window, ClipSink* clips, const PictureFolder& folder)
    : QObject(&window), window_(window), clips_(clips), folder_(folder), menu_(new QMenu(&window)),
      keys_(new KeysPanel(window)) {
    menu_->setObjectName(QStringLiteral("gameMenu"));
    // Keys only, with no entry of their own.
    const QList<QKeySequence> viewKeys = keysOf(WindowCommand::ToggleView);
    addAction(QStringLiteral("Toggle View"), viewKeys, [this] { window_.toggleViewMode(); });
    // Esc closes the keys and help first, even mid-picture, as it would any dialog.
    addAction(QStringLiteral("Leave Fullscreen"), keysOf(WindowCommand::LeaveFullScreen), [this] {
        if (keys_->isVisible())
            keys_->reject();
        else
            window_.leaveFullScreen();
    });

    QMenu* view = menu_->addMenu(QStringLiteral("&View"));
    auto* views = new QActionGroup(this);
    fit_ = view->addAction(withKey(QStringLiteral("&Fit to Window"), viewKeys.first()), this,
                           [this] { window_.setViewMode(ViewMode::Fit); });
    actualSize_ = view->addAction(withKey(QStringLiteral("&Actual Size"), viewKeys.first()), this,
                                  [this] { window_.setViewMode(ViewMode::Actual); });
    for (QAction* entry : {fit_, actualSize_}) {
        entry->setCheckable(true);
        views->addAction(entry);
    }
    fullScreen_ = addAction(QStringLiteral("F&ullscreen"), keysOf(WindowCommand::ToggleFullScreen),
                            [this] { window_.toggleFullScreen(); });
    fullScreen_->setCheckable(true);
    menu_->addAction(fullScreen_);
    addSpeedMenu();
    sound_ = addAction(QStringLiteral("S&ound"), keysOf(WindowCommand::ToggleSound),
                       [this] { toggleSound(); });
    sound_->setCheckable(true);
    menu_->addAction(sound_);

    menu_->addSeparator();
    menu_->addAction(addAction(QStringLiteral("&Save Picture"), keysOf(WindowCommand::SavePicture),
                               [this] { savePicture(); }));
    menu_->addAction(
        addAction(QStringLiteral("Save Picture &As..."), {}, [this] { savePictureAs(); }));
    if (clips_) {
        record_ = addAction(QStringLiteral("&Record Clip"), keysOf(WindowCommand::RecordClip),
                            [this] { toggleRecording(); });
        record_->setCheckable(true);
        menu_->addAction(record_);
    }

    menu_->addSeparator();
    // ? comes with Shift on most keyboards; where the platform leaves that Shift on the key
    // rather than matching ? alone, Shift+? has to answer too.
    menu_->addAction(addAction(QStringLiteral("&Keys and Help"),
                               keysOf(WindowCommand::About)
                                   << QKeySequence(Qt::ShiftModifier | Qt::Key_Question),
                               [this] { keys_->toggle(); }));
    menu_->addAction(addAction(QStringLiteral("&Quit"), keysOf(WindowCommand::Quit),
                               [this] { window_.close(); }));

    // The right button's menu arrives as a context menu event, which waits at the input gate
    // while a picture paints: the menu opens once it is done.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this, &GameActions::openMenu);
    // The label keeps its mouse events from the window (a click on it plays nothing), its
    // right button included: it asks for the menu itself.
    QLabel* label = window_.label();
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this,
            [this, label](QPoint at) { openMenu(label->mapTo(&window_, at)); });
}

QAction* GameActions::addAction(const QString& text, const QList<QKeySequence>& keys,
                                std::function<void()> act) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, std::move(act));
    window_.addAction(action);
    return action;
}

void GameActions::addSpeedMenu() {
    QMenu* speed = menu_->addMenu(QStringLiteral("S&peed"));
    speed->addAction(addAction(QStringLiteral("&Faster"), keysOf(WindowCommand::Faster),
                               [this] { changeSpeed(fasterSpeed(window_.runner().speed())); }));
    speed->addAction(addAction(QStringLiteral("&Slower"), keysOf(WindowCommand::Slower),
                               [this] { changeSpeed(slowerSpeed(window_.runner().speed())); }));
    speed->addSeparator();
    speeds_ = new QActionGroup(this);
    speeds_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const double step : SpeedSteps) {
        QString text = speedText(step);
        text[0] = text[0].toUpper();
        QAction* entry = speed->addAction(text, this, [this, step] { changeSpeed(step); });
        entry->setCheckable(true);
        entry->setData(step);
        speeds_->addAction(entry);
    }
}

void GameActions::openMenu(QPoint at) {
    showChecks();
    menu_->popup(window_.mapToGlobal(at));
}

void GameActions::showChecks() {
    fit_->setChecked(window_.viewMode() == ViewMode::Fit);
    actualSize_->setChecked(window_.viewMode() == ViewMode::Actual);
    fullScreen_->setChecked(window_.isFullScreen());
    for (QAction* entry : speeds_->actions())
        entry->setChecked(entry->data().toDouble() == window_.runner().speed());
    sound_->setChecked(!window_.muted());
    if (record_)
        record_->setChecked(clips_->recording());
}

void GameActions::changeSpeed(double speed) {
    window_.runner().setSpeed(speed);
    showNotice(window_,
               speed <= 0 ? speedText(speed) : QStringLiteral("speed ") + speedText(speed));
}

void GameActions::toggleSound() {
    window_.setMuted(!window_.muted());
    showNotice(window_, window_.muted() ? QStringLiteral("sound off") : QStringLiteral("sound on"));
}

void GameActions::savePicture() {
    const QImage picture = grabPicture(window_);
    const QString path = folder_.newFile(QStringLiteral("png"));
    if (path.isEmpty()) {
        showFailure(window_, QStringLiteral("cannot save the picture: cannot make the folder %1")
                                 .arg(folder_.path()));
        return;
    }
    writePicture(picture, path);
}

void GameActions::savePictureAs() {
    window_.frameLoop().defer([this] {
        const QImage picture = grabPicture(window_);
        auto* dialog =
            new QFileDialog(&window_, QStringLiteral("Save Picture As"),
                            folder_.newFile(QStringLiteral("png")), QStringLiteral("PNG (*.png)"));
        dialog->setObjectName(QStringLiteral("savePictureDialog"));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QStringLiteral("png"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QFileDialog::fileSelected, this,
                [this, picture](const QString& path) { writePicture(picture, path); });
        dialog->open();
    });
}

void GameActions::writePicture(const QImage& picture, const QString& path) {
    PictureWriter writer;
    if (writer.write(picture, path))
        showNotice(window_, QStringLiteral("saved to %1").arg(path));
    else
        showFailure(window_, writer.errorString()); // it names the file and why
}

void GameActions::toggleRecording() {
    if (clips_->recording()) {
        if (clips_->stop())
            showNotice(window_, QStringLiteral("saved to %1").arg(clipPath_));
        else
            showFailure(window_,
                        QStringLiteral("cannot save %1: %2").arg(clipPath_, clips_->errorString()));
    } else {
        clipPath_ = folder_.newFile(clips_->fileSuffix());
        if (clipPath_.isEmpty())
            showFailure(window_, QStringLiteral("cannot record a clip: cannot make the folder %1")
                                     .arg(folder_.path()));
        else if (clips_->start(clipPath_))
            showNotice(window_, QStringLiteral("recording to %1").arg(clipPath_));
        else
            showFailure(
                window_,
                QStringLiteral("cannot record to %1: %2").arg(clipPath_, clips_->errorString()));
    }
    record_->setChecked(clips_->recording());
}
