#include "app/QtOptions.h"

namespace {

// Qt's own options, as the application object takes them: the first take a value (also as
// -name=value), the others stand alone.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("name"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("geometry"),        QStringLiteral("title"),
    QStringLiteral("visual"),          QStringLiteral("qmljsdebugger")};
const QStringList QtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                             QStringLiteral("nograb"), QStringLiteral("dograb"),
                             QStringLiteral("sync")};

} // namespace

void splitQtOptions(const QStringList& arguments, QStringList& ours, QStringList& qt,
                    QString& platform) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool single = argument.startsWith(QLatin1Char('-')) &&
                            !argument.startsWith(QLatin1String("--")) && argument.size() > 2;
        const QString name = argument.mid(1).section(QLatin1Char('='), 0, 0);
        if (i > 0 && single && QtFlags.contains(name)) {
            qt << argument;
        } else if (i > 0 && single && QtOptionsWithValue.contains(name)) {
            qt << argument;
            QString value = argument.section(QLatin1Char('='), 1);
            if (!argument.contains(QLatin1Char('=')) && i + 1 < arguments.size()) {
                value = arguments[++i];
                qt << value;
            }
            if (name == QLatin1String("platform"))
                platform = value;
        } else {
            ours << argument;
        }
    }
}

QLatin1String qtOptionsHelp() {
    return QLatin1String(
        "\nQt's own options, passed on to Qt:\n"
        "  -platform <name>          The platform plugin: xcb, wayland, offscreen, ...\n"
        "  -platformtheme <name>     The platform theme.\n"
        "  -platformpluginpath <dir> Where to look for platform plugins.\n"
        "  -plugin <name>            An extra plugin to load.\n"
        "  -display <display>        The X display to use (xcb).\n"
        "  -session <id>             Restore from an earlier session (used by session managers).\n"
        "  -style <name>             A widget style; the game keeps its own look.\n"
        "  -stylesheet <file>        A style sheet for the caption and the buttons.\n"
        "  -reverse                  Right-to-left text on the buttons.\n"
        "  -qwindowgeometry <geom>   The window's geometry, as WxH+X+Y.\n"
        "  -qwindowtitle <title>     The window's title.\n"
        "  -qwindowicon <file>       The window's icon.\n"
        "  -name, -title, -visual, -geometry, -sync, -nograb, -dograb, -widgetcount\n"
        "                            X11 and debugging options, as Qt documents them.\n");
}
