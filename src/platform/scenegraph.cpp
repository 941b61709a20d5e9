#include "platform/scenegraph.h"

#include <QList>
#include <QtGlobal>

namespace mira::platform {

bool DrawViewsInSoftware(const QByteArray &engineFlags, const QByteArray &chosenBackend)
{
    return chosenBackend.trimmed().isEmpty()
           && engineFlags.simplified().split(' ').contains("--disable-gpu");
}

bool DrawViewsInSoftware()
{
    return DrawViewsInSoftware(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"),
                               qgetenv("QT_QUICK_BACKEND") + qgetenv("QSG_RHI_BACKEND"));
}

} // namespace mira::platform
