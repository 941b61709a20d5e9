#include "platform/processmodel.h"

#include <QList>
#include <QtGlobal>

namespace mira::platform {
namespace {

struct Model {
    bool shared = true;
    bool started = false;
    bool runningShared = true;
};

Model &model()
{
    static Model m;
    return m;
}

} // namespace

QByteArray ChromiumFlagsWith(const QByteArray &flags, bool shared)
{
    static const QList<QByteArray> models{"--process-per-site", "--process-per-tab",
                                          "--site-per-process", "--single-process"};
    for (const QByteArray &word : flags.split(' '))
        for (const QByteArray &name : models)
            if (word == name || word.startsWith(name + '='))
                return flags;
    if (!shared)
        return flags;
    return flags.trimmed().isEmpty() ? QByteArray("--process-per-site")
                                     : flags.trimmed() + " --process-per-site";
}

void SetSharedRenderers(bool shared)
{
    model().shared = shared;
}

bool SharedRenderers()
{
    const Model &m = model();
    return m.started ? m.runningShared : m.shared;
}

bool EngineStarted()
{
    return model().started;
}

void StartEngine()
{
    Model &m = model();
    if (m.started)
        return;
    m.started = true;
    const QByteArray before = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray after = ChromiumFlagsWith(before, m.shared);
    m.runningShared = after.split(' ').contains("--process-per-site");
    if (after != before)
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", after);
}

} // namespace mira::platform
