#include "app/commandline.h"

namespace mira {

OptionWord SplitOption(const QString &arg)
{
    const qsizetype eq = arg.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return {arg, {}, false};
    return {arg.left(eq), arg.mid(eq + 1), true};
}

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    bool waitGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--")) {
            line.sets += arguments.mid(i + 1);
            break;
        }
        if (!arg.startsWith(QLatin1String("--")) && arg != QLatin1String("-h")) {
            line.sets.append(arg);
            continue;
        }
        // "--name=value" or "--name value".
        OptionWord word = SplitOption(arg);
        const QString &name = word.name;
        QString &value = word.value;
        bool &hasValue = word.hasValue;
        auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= arguments.size())
                return false;
            value = arguments.at(++i);
            return true;
        };
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            line.help = true;
        } else if (name == QLatin1String("--version")) {
            line.version = true;
        } else if (name == QLatin1String("--full-screen")) {
            if (hasValue) {
                line.error = QStringLiteral("--full-screen takes no value");
                return line;
            }
            line.fullScreen = true;
        } else if (name == QLatin1String("--snapshot")) {
            if (!takeValue() || value.isEmpty()) {
                line.error = QStringLiteral("--snapshot needs the name of a PNG file");
                return line;
            }
            line.snapshot = value;
        } else if (name == QLatin1String("--wait")) {
            bool ok = false;
            const int seconds = takeValue() ? value.toInt(&ok) : 0;
            if (!ok || seconds < 0) {
                line.error = QStringLiteral("--wait needs a number of seconds");
                return line;
            }
            line.waitSeconds = seconds;
            waitGiven = true;
        } else if (name == QLatin1String("--set")) {
            line.error = QStringLiteral("--set goes with --remote");
            return line;
        } else {
            line.error = QStringLiteral("unknown option %1").arg(name);
            return line;
        }
    }
    if (waitGiven && line.snapshot.isEmpty() && !line.help && !line.version)
        line.error = QStringLiteral("--wait goes with --snapshot");
    else if (line.fullScreen && !line.snapshot.isEmpty())
        line.error = QStringLiteral("--full-screen does not go with --snapshot");
    return line;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: mira [--full-screen] [SET]\n"
        "       mira --snapshot FILE.png [--wait SECONDS] [SET]\n"
        "       mira --remote COMMAND [ARGUMENT] [--set NAME]\n"
        "\n"
        "Opens the configuration set SET: a name in the sets folder (Market opens\n"
        "Market.set), or a relative or absolute path. Without SET, the most recently\n"
        "saved set of the sets folder. The sets folder is the program's own folder,\n"
        "or $XDG_DATA_HOME/mira/sets (~/.local/share/mira/sets) once Mira is installed.\n"
        "A set already open in a running Mira is not opened twice: that Mira's\n"
        "window comes to the front.\n"
        "\n"
        "Options:\n"
        "  --snapshot FILE.png  open the set without showing a window, run Go All, wait\n"
        "                       until every pane has loaded, write a picture of the whole\n"
        "                       window and exit: 0, or 1 naming the panes that failed,\n"
        "                       or 2 when SET or FILE.png cannot be used\n"
        "  --wait SECONDS       the snapshot's time limit for loading (default 30)\n"
        "  --full-screen        show the set on the whole screen for this run; the set\n"
        "                       keeps its own Full Screen setting\n"
        "  --remote COMMAND     steers a running Mira over the session bus: GoAll,\n"
        "                       RefreshAll, StopAll, OpenSet SET, Snapshot FILE.png,\n"
        "                       Status (JSON), List; exit 1 when it refuses or fails,\n"
        "                       3 when no Mira runs. A locked Mira refuses OpenSet and\n"
        "                       Snapshot and tells only that it is locked\n"
        "  --set NAME           the running Mira to steer: the one with the set NAME (or\n"
        "                       path) open; needed when more than one runs\n"
        "  -h, --help           show this text and exit\n"
        "  --version            show the version and exit\n");
}

QString VersionText(const QString &program)
{
    return program + QLatin1Char(' ') + QStringLiteral(MIRA_VERSION_TEXT) + QLatin1Char('\n');
}

} // namespace mira
