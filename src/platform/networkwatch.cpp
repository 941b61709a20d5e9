#include "platform/networkwatch.h"

#include <QNetworkInformation>

namespace mira::platform {
namespace {

NetReach reachOf(QNetworkInformation::Reachability r)
{
    switch (r) {
    case QNetworkInformation::Reachability::Disconnected: return NetReach::Disconnected;
    case QNetworkInformation::Reachability::Local:
    case QNetworkInformation::Reachability::Site:
    case QNetworkInformation::Reachability::Online: return NetReach::Connected;
    case QNetworkInformation::Reachability::Unknown: break;
    }
    return NetReach::Unknown;
}

} // namespace

std::unique_ptr<NetworkWatch> NetworkWatch::Start()
{
    // The one instance Qt keeps for the process; without a backend nothing is said.
    if (!QNetworkInformation::instance()
        && !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return nullptr;
    QNetworkInformation *info = QNetworkInformation::instance();
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability))
        return nullptr;
    std::unique_ptr<NetworkWatch> watch(new NetworkWatch);
    connect(info, &QNetworkInformation::reachabilityChanged, watch.get(),
            [w = watch.get()](QNetworkInformation::Reachability r) {
                Q_EMIT w->reachChanged(reachOf(r));
            });
    return watch;
}

NetReach NetworkWatch::Reach() const
{
    const QNetworkInformation *info = QNetworkInformation::instance();
    return info ? reachOf(info->reachability()) : NetReach::Unknown;
}

} // namespace mira::platform
