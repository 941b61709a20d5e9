#pragma once
// What the desktop says of the machine's network, where it says anything: a backend
// of the system (NetworkManager, GLib) that reports whether the network is reachable.
#include <QObject>
#include <memory>

namespace mira::platform {

enum class NetReach {
    Unknown,      // the desktop cannot tell
    Disconnected, // no network at all
    Connected,    // some network: the local one, a site's, or the Internet
};

class NetworkWatch : public QObject {
    Q_OBJECT
public:
    // The watch over the desktop's backend; nullptr where none reports reachability.
    static std::unique_ptr<NetworkWatch> Start();
    NetReach Reach() const;

Q_SIGNALS:
    void reachChanged(mira::platform::NetReach reach);

private:
    NetworkWatch() = default;
};

} // namespace mira::platform
