// How a view follows private browsing: its page is made again in the other profile.
#include <QDataStream>
#include <QIODevice>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <memory>
#include <utility>

#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"

namespace mira::platform {

bool QtWebControl::isPrivatePage() const
{
    return page() && page()->profile()->isOffTheRecord();
}

void QtWebControl::MoveViewsToProfile(ProfileKind kind)
{
    const bool privateBrowsing = kind == ProfileKind::Private;
    const QList<QtWebControl *> controls = liveControls();
    for (QtWebControl *control : controls) {
        const ProfileKind current = control->isPrivatePage() ? ProfileKind::Private
                                                             : ProfileKind::Main;
        if (PageMustMove(control->page() != nullptr, current, privateBrowsing))
            control->movePage(engine::Profile(kind));
    }
}

void QtWebControl::movePage(QWebEngineProfile *profile)
{
    QWebEnginePage *old = page();
    if (!old || old->profile() == profile)
        return;
    const QUrl url = old->url();
    const bool resting = old->lifecycleState() != QWebEnginePage::LifecycleState::Active;
    QByteArray history;
    {
        QDataStream out(&history, QIODevice::WriteOnly);
        out << *old->history();
    }
    // What the old page still reports (a late load end, a title) is no longer the view's.
    old->disconnect(this);
    old->triggerAction(QWebEnginePage::Stop);
    installPage(profile);
    showStopped(false);
    if (!documentShown || url.isEmpty())
        return;
    if (resting) {
        // Back to rest once the page is there again, as it was before the move.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(page(), &QWebEnginePage::loadFinished, this, [this, connection] {
            disconnect(*connection);
            setResting(true);
        });
    }
    // The history goes along, so Back still leads where it did; restoring it loads
    // the current entry again.
    restoring = true;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(page(), &QWebEnginePage::loadFinished, this, [this, connection] {
        disconnect(*connection);
        restoring = false;
        if (waitingAddress.isNull())
            return;
        const QString address = std::exchange(waitingAddress, QString());
        navigate(address, waitingFlags);
    });
    QDataStream in(history);
    in >> *page()->history();
    if (page()->history()->count() == 0)
        page()->load(url);
}

} // namespace mira::platform
