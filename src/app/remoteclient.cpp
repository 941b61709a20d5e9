#include "app/remoteclient.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/remotecommand.h"

namespace mira {
namespace {

// Opening a set or writing a picture of a large wall takes a while.
constexpr int kCallTimeoutMs = 60000;
constexpr int kAskTimeoutMs = 5000;

QDBusMessage callWall(QDBusConnection &bus, const QString &service, const QString &method,
                      const QVariantList &arguments, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, QLatin1String(kRemotePath),
                                                       QLatin1String(kRemoteInterface), method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, timeoutMs);
}

QList<RunningWall> runningWalls(QDBusConnection &bus)
{
    QList<RunningWall> walls;
    const QStringList names = bus.interface()->registeredServiceNames().value();
    for (const QString &service : names) {
        if (!service.startsWith(QLatin1String(kRemoteServicePrefix)))
            continue;
        // One that does not answer is still listed: the call to it then says so.
        const QDBusMessage reply = callWall(bus, service, QStringLiteral("SetPath"), {},
                                            kAskTimeoutMs);
        RunningWall wall{service, {}};
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            wall.setPath = reply.arguments().constFirst().toString();
        walls.append(wall);
    }
    std::sort(walls.begin(), walls.end(),
              [](const RunningWall &a, const RunningWall &b) { return a.service < b.service; });
    return walls;
}

// Paths are the caller's: the wall runs in another folder. A bare set name stays
// a name, which the wall looks for in its program folder.
QString argumentFor(const QString &method, const QString &argument)
{
    if (method == QLatin1String("OpenSet") && !argument.contains(QLatin1Char('/'))
        && !QFileInfo::exists(argument))
        return argument;
    return QDir::cleanPath(QDir::current().absoluteFilePath(argument));
}

} // namespace

int RunRemote(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const RemoteRequest request = ParseRemoteArguments(arguments);
    if (!request.error.isEmpty()) {
        std::fprintf(stderr, "mira: %s\nTry 'mira --help'.\n", qPrintable(request.error));
        return kRemoteUsage;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "mira: no session bus to reach a running Mira on "
                             "(is DBUS_SESSION_BUS_ADDRESS set?)\n");
        return kRemoteNoWall;
    }
    const QList<RunningWall> walls = runningWalls(bus);
    if (request.method == QLatin1String("List")) {
        for (const RunningWall &w : walls)
            std::printf("%s\t%s\t%s\n",
                        qPrintable(w.setPath.isEmpty() ? QStringLiteral("-")
                                                       : QFileInfo(w.setPath).completeBaseName()),
                        qPrintable(w.setPath.isEmpty() ? QStringLiteral("-") : w.setPath),
                        qPrintable(w.service));
        return 0;
    }
    const WallChoice choice = ChooseWall(walls, request.set, QDir::currentPath());
    if (choice.index < 0) {
        std::fprintf(stderr, "mira: %s\n", qPrintable(choice.error));
        return kRemoteNoWall;
    }
    const RunningWall &wall = walls.at(choice.index);
    QVariantList callArguments;
    for (const QString &a : request.arguments)
        callArguments << argumentFor(request.method, a);
    const QDBusMessage reply = callWall(bus, wall.service, request.method, callArguments,
                                        kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        const QString who = wall.setPath.isEmpty() ? wall.service
                                                   : QFileInfo(wall.setPath).completeBaseName();
        std::fprintf(stderr, "mira: %s on %s failed: %s\n", qPrintable(request.method),
                     qPrintable(who), qPrintable(reply.errorMessage()));
        return kRemoteCallFailed;
    }
    if (request.method == QLatin1String("Status") && !reply.arguments().isEmpty())
        std::fputs(reply.arguments().constFirst().toString().toUtf8().constData(), stdout);
    return 0;
}

} // namespace mira
