#include "app/remotecommand.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/commandline.h"

namespace mira {
namespace {

// The commands with the number of arguments each takes and what is said when it is missing.
struct RemoteMethod {
    const char *name;
    int arguments;
    const char *argumentNeeded;
};
const RemoteMethod kMethods[] = {
    {"GoAll", 0, nullptr},
    {"RefreshAll", 0, nullptr},
    {"StopAll", 0, nullptr},
    {"OpenSet", 1, "OpenSet needs the set to open"},
    {"Snapshot", 1, "Snapshot needs the name of a PNG file to write"},
    {"Status", 0, nullptr},
    {"List", 0, nullptr},
};

QString methodNames()
{
    QStringList names;
    for (const RemoteMethod &m : kMethods)
        names << QString::fromLatin1(m.name);
    return names.join(QStringLiteral(", "));
}

QString setNameOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

// With its offset from UTC, so a reader elsewhere knows the moment.
QJsonValue timeValue(const QDateTime &when)
{
    if (!when.isValid())
        return {};
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

QString SetServiceName(const QString &setPath)
{
    QString name;
    for (const QChar c : setNameOf(setPath).left(64)) {
        const ushort u = c.unicode();
        const bool fits = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
                          || u == '_';
        name += fits ? c : QLatin1Char('_');
    }
    // An element of a bus name may not begin with a digit.
    if (name.isEmpty() || name.front().isDigit())
        name.prepend(QLatin1Char('_'));
    const QByteArray digest =
        QCryptographicHash::hash(setPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QLatin1String(kRemoteServicePrefix) + name + QLatin1Char('_')
           + QString::fromLatin1(digest);
}

QString InstanceServiceName(qint64 pid)
{
    return QLatin1String(kRemoteServicePrefix) + QStringLiteral("Instance_%1").arg(pid);
}

bool IsRemoteCall(const QStringList &arguments)
{
    for (const QString &arg : arguments) {
        if (arg == QLatin1String("--"))
            return false;
        if (arg == QLatin1String("--remote") || arg.startsWith(QLatin1String("--remote=")))
            return true;
    }
    return false;
}

RemoteRequest ParseRemoteArguments(const QStringList &arguments)
{
    RemoteRequest request;
    QStringList positional;
    bool remoteSeen = false;
    bool setSeen = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--")) {
            positional += arguments.mid(i + 1);
            break;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            positional.append(arg);
            continue;
        }
        OptionWord word = SplitOption(arg);
        const QString &name = word.name;
        QString &value = word.value;
        bool &hasValue = word.hasValue;
        if (!hasValue && i + 1 < arguments.size()
            && (name == QLatin1String("--remote") || name == QLatin1String("--set"))) {
            value = arguments.at(++i);
            hasValue = true;
        }
        if (name == QLatin1String("--remote")) {
            if (remoteSeen) {
                request.error = QStringLiteral("--remote is given twice");
                return request;
            }
            remoteSeen = true;
            if (!hasValue || value.isEmpty() || value.startsWith(QLatin1String("--"))) {
                request.error = QStringLiteral("--remote needs a command: ") + methodNames();
                return request;
            }
            request.method = value;
        } else if (name == QLatin1String("--set")) {
            if (setSeen) {
                request.error = QStringLiteral("--set is given twice");
                return request;
            }
            setSeen = true;
            if (!hasValue || value.isEmpty() || value.startsWith(QLatin1String("--"))) {
                request.error = QStringLiteral("--set needs the name or path of a set");
                return request;
            }
            request.set = value;
        } else {
            request.error = QStringLiteral("%1 does not go with --remote").arg(name);
            return request;
        }
    }
    if (!remoteSeen) {
        request.error = QStringLiteral("--remote needs a command: ") + methodNames();
        return request;
    }
    const RemoteMethod *method = nullptr;
    for (const RemoteMethod &m : kMethods)
        if (request.method.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
            method = &m;
    if (!method) {
        request.error = QStringLiteral("unknown remote command %1 (known: %2)")
                            .arg(request.method, methodNames());
        return request;
    }
    request.method = QString::fromLatin1(method->name);
    if (positional.size() > method->arguments) {
        request.error = method->arguments == 0
                            ? QStringLiteral("%1 takes no argument").arg(request.method)
                            : QStringLiteral("%1 takes one argument").arg(request.method);
    } else if (positional.size() < method->arguments
               || (!positional.isEmpty() && positional.front().isEmpty())) {
        request.error = QString::fromLatin1(method->argumentNeeded);
    } else {
        request.arguments = positional;
    }
    return request;
}

WallChoice ChooseWall(const QList<RunningWall> &walls, const QString &wanted, const QString &cwd)
{
    WallChoice choice;
    QStringList names;
    for (const RunningWall &w : walls)
        names << (w.setPath.isEmpty() ? QStringLiteral("(no set)") : setNameOf(w.setPath));
    const QString running = names.join(QStringLiteral(", "));
    if (walls.isEmpty()) {
        choice.error = QStringLiteral("no Mira is running on this session bus");
        return choice;
    }
    if (wanted.isEmpty()) {
        if (walls.size() == 1)
            choice.index = 0;
        else
            choice.error = QStringLiteral("%1 Mira are running (%2): pick one with --set NAME")
                               .arg(walls.size())
                               .arg(running);
        return choice;
    }
    const QString asPath = QDir::cleanPath(QDir(cwd).absoluteFilePath(wanted));
    QList<int> found;
    for (int i = 0; i < walls.size(); ++i) {
        const RunningWall &w = walls.at(i);
        const bool byService = w.service == wanted;
        const bool byName = !w.setPath.isEmpty()
                            && (setNameOf(w.setPath).compare(wanted, Qt::CaseInsensitive) == 0
                                || QFileInfo(w.setPath).fileName() == wanted);
        const bool byPath = !w.setPath.isEmpty() && QDir::cleanPath(w.setPath) == asPath;
        if (byService || byName || byPath)
            found.append(i);
    }
    if (found.size() == 1) {
        choice.index = found.front();
    } else if (found.isEmpty()) {
        choice.error = QStringLiteral("no running Mira has the set %1 open (running: %2)")
                           .arg(wanted, running);
    } else {
        QStringList paths;
        for (int i : std::as_const(found))
            paths << walls.at(i).setPath;
        choice.error = QStringLiteral("%1 running Mira have a set %2 open (%3): give its path "
                                      "with --set")
                           .arg(found.size())
                           .arg(wanted, paths.join(QStringLiteral(", ")));
    }
    return choice;
}

QByteArray WallStatusJson(const WallSummary &wall, const QDateTime &now)
{
    QJsonObject root;
    root.insert(QStringLiteral("locked"), wall.locked);
    if (wall.locked)
        return QJsonDocument(root).toJson(QJsonDocument::Indented);
    root.insert(QStringLiteral("time"), timeValue(now));
    root.insert(QStringLiteral("set"), wall.set.isEmpty() ? QJsonValue() : QJsonValue(wall.set));
    root.insert(QStringLiteral("path"), wall.path.isEmpty() ? QJsonValue() : QJsonValue(wall.path));
    root.insert(QStringLiteral("online"), wall.online);
    QJsonArray panes;
    for (const PaneStatus &p : wall.panes) {
        QJsonObject pane;
        // Panes of a set often have no name: the number tells them apart.
        pane.insert(QStringLiteral("index"), int(panes.size()) + 1);
        pane.insert(QStringLiteral("pane"), p.pane.isEmpty() ? QJsonValue() : QJsonValue(p.pane));
        pane.insert(QStringLiteral("book"), p.book.isEmpty() ? QJsonValue() : QJsonValue(p.book));
        pane.insert(QStringLiteral("page"), p.page.isEmpty() ? QJsonValue() : QJsonValue(p.page));
        pane.insert(QStringLiteral("address"),
                    p.address.isEmpty() ? QJsonValue() : QJsonValue(p.address));
        pane.insert(QStringLiteral("stale"), !p.lastError.isEmpty());
        pane.insert(QStringLiteral("lastGood"), timeValue(p.lastGood));
        pane.insert(QStringLiteral("lastError"),
                    p.lastError.isEmpty() ? QJsonValue() : QJsonValue(p.lastError));
        // Rounded up, as the Refresh button's hint counts.
        pane.insert(QStringLiteral("nextReloadSeconds"),
                    p.nextReloadMs < 0 ? QJsonValue() : QJsonValue((p.nextReloadMs + 999) / 1000));
        pane.insert(QStringLiteral("copyTaken"), timeValue(p.copyTaken));
        panes.append(pane);
    }
    root.insert(QStringLiteral("panes"), panes);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace mira
