#include "platform/screenawake.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace mira::platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");

} // namespace

bool ShouldKeepScreenAwake(const AwakeState &s)
{
    return s.setOpen && (s.goAllOnOpen || s.fullScreen) && s.shown && !s.minimized && !s.locked;
}

DBusScreenAwake::DBusScreenAwake(QDBusConnection connection, QObject *parent)
    : QObject(parent), bus(std::move(connection))
{
}

DBusScreenAwake::~DBusScreenAwake()
{
    // The bus also drops the inhibitions of a program that ends; say it anyway.
    wanted = false;
    release();
}

void DBusScreenAwake::SetAwake(bool awake)
{
    if (awake == wanted)
        return;
    wanted = awake;
    if (wanted)
        inhibit();
    else
        release();
}

void DBusScreenAwake::inhibit()
{
    if (pending || holding || !bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("Mira") << QStringLiteral("Showing a wall of live pages");
    pending = true;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        pending = false;
        const QDBusPendingReply<uint> reply = *w;
        // No service, or it refused: the screen blanks as it always did.
        if (reply.isError())
            return;
        cookie = reply.value();
        holding = true;
        if (!wanted)
            release();
    });
}

void DBusScreenAwake::release()
{
    if (!holding || !bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("UnInhibit"));
    call << cookie;
    holding = false;
    bus.asyncCall(call);
}

std::unique_ptr<ScreenAwake> MakeScreenAwake()
{
    return std::make_unique<DBusScreenAwake>();
}

} // namespace mira::platform
