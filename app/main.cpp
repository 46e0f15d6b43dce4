#include "app/CommandLine.h"
#include "app/SignalCloser.h"
#include "app/SignalUnlinker.h"
#include "files/SafeFile.h"
#include "game/Layout.h"
#include "qt/CoreToQt.h"
#include "record/ClipRecorder.h"
#include "record/Recorder.h"
#include "tour/FailureText.h"
#include "window/AccessibleStory.h"
#include "window/ButtonKeys.h"
#include "window/GameActions.h"
#include "window/GameSettings.h"
#include "window/GameWindow.h"
#include "window/Icon.h"
#include "window/SoundOutput.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <vector>

namespace {

const char* const noDisplay =
    "brumox: cannot open a display for the game window (%s); run it from a desktop session, "
    "or record a playthrough with no display: brumox --record FILE.gif\n";

bool applicationCreated = false;
QtMessageHandler qtHandler = nullptr;

// Qt aborts when it cannot reach the display (a wrong DISPLAY, say): say so in one line and exit.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!applicationCreated) {
        if (type == QtFatalMsg) {
            const QByteArray display = qgetenv("DISPLAY");
            const QByteArray why = display.isEmpty()
                                       ? QByteArray("Qt could not start its platform plugin")
                                       : "cannot connect to DISPLAY " + display;
            std::fprintf(stderr, noDisplay, why.constData());
            std::_Exit(1);
        }
        // Start-up chatter that says nothing to a player.
        if ((context.category &&
             QLatin1String(context.category).startsWith(QLatin1String("qt.qpa"))) ||
            message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            return;
    }
    qtHandler(type, context, message);
}

// Where Qt would look for a display and find none, there is no point starting it.
const char* missingDisplay(const QString& platform) {
    const QString chosen =
        platform.isEmpty() ? QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM")) : platform;
    const bool hasX = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool hasWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (chosen.isEmpty() && !hasX && !hasWayland)
        return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    if (chosen.startsWith(QLatin1String("xcb")) && !chosen.contains(QLatin1Char(';')) && !hasX)
        return "DISPLAY is not set";
    return nullptr;
}

// One line on standard error, and status 1.
int reportFailure(const Failure& failure) {
    std::fprintf(stderr, "brumox: %s\n", commandLineText(failure).c_str());
    return 1;
}

// The whole program; main() only catches what ran out of memory on the way.
int run(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("brumox"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    std::fputs(parsed.output.toLocal8Bit().constData(), stdout);
    std::fputs(parsed.error.toLocal8Bit().constData(), stderr);
    if (parsed.exitCode)
        return *parsed.exitCode;

    // A file written with no window: a signal removes its temporary before it ends the program.
    std::optional<SignalUnlinker> unlinker;
    std::optional<TourRecorder> recorder;
    if (!parsed.options.icon.isEmpty()) {
        unlinker.emplace();
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!parsed.options.record.isEmpty()) {
        unlinker.emplace();
        recorder.emplace(parsed.options.record, parsed.options.recording);
        // A tour that cannot be played to its end is the caller's mistake, found in milliseconds.
        // Memory that ran out on the way is not, though.
        if (!recorder->rehearse()) {
            if (recorder->failure()->kind != Failure::Kind::RefusedStep)
                return reportFailure(*recorder->failure());
            std::fputs(qPrintable(usageError(
                           QString::fromStdString(commandLineText(*recorder->failure())))),
                       stderr);
            return UsageError;
        }
        if (!recorder->open())
            return reportFailure(*recorder->failure());
        // A recording needs no display at all.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (const char* why = missingDisplay(parsed.options.platform)) {
        std::fprintf(stderr, noDisplay, why);
        return 1;
    }

    // Qt sees its own options only; the game's are parsed already.
    std::vector<QByteArray> qtArguments{QByteArray(argv[0])};
    for (const QString& argument : parsed.options.qtArguments)
        qtArguments.push_back(argument.toLocal8Bit());
    std::vector<char*> qtArgv;
    for (QByteArray& argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());

    qtHandler = qInstallMessageHandler(messageHandler);
    QApplication app(qtArgc, qtArgv.data());
    applicationCreated = true;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    if (!parsed.options.icon.isEmpty()) {
        SafeFile icon(parsed.options.icon);
        if (icon.open(QIODevice::WriteOnly) &&
            icon.writeImage(iconImage(parsed.options.iconSize)) && icon.commit())
            return 0;
        return reportFailure(*icon.failure());
    }
    if (recorder) {
        if (recorder->play())
            return 0;
        // None when the game window has reported its run-time error itself.
        if (recorder->failure())
            reportFailure(*recorder->failure());
        return 1;
    }

    // Desktops show "Click to continue — BRUMOX SIMULATOR" and find the desktop entry.
    QGuiApplication::setApplicationDisplayName(toQString(GameName));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.brumox.BrumoxSimulator"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(iconImage(256))));
    GameWindow window(parsed.options.game);
    ClipRecorder clips(window);
    new GameActions(window, &clips);
    new ButtonKeys(window);
    new AccessibleStory(window);
    new SignalCloser(window);

    StartupChoices choices;
    choices.view = parsed.options.game.view;
    choices.fullScreen = parsed.options.fullScreen;
    choices.size = parsed.options.size;
    choices.mute = parsed.options.mute;
    GameSettings settings;
    settings.applyAtStart(window, choices);
    // Opened once the window shows; closed before the window goes.
    SoundOutput sound(window);
    const int status = app.exec();
    settings.save(window);
    return status;
}

} // namespace

// Exit status: 0 when the game or the job is done, 1 for a run-time failure (no display, a file
// that cannot be written, a run-time error in the game, no memory left), 2 for a usage error.
int main(int argc, char* argv[]) {
    // The writers turn most shortages into a failed file themselves; whatever else runs out
    // ends here, the temporary files removed on the way.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return reportFailure(Failure::outOfMemory());
    }
}
