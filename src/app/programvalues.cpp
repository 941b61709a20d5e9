#include "app/programvalues.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "dialogs/messagebox.h"
#include "platform/versioninfo.h"

namespace mira {

ProgramValues &programValues()
{
    static ProgramValues values;
    return values;
}

void InitProgramValues()
{
    ProgramValues &v = programValues();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        SetWorkArea(screen->availableGeometry());
    v.osVersion = platform::OperatingSystemVersion();
    v.ieVersion = platform::EngineVersion();
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    v.programFolder = folder;
}

bool IsEngineVersionUsable(const QString &version)
{
    if (version.isEmpty())
        return false;
    bool ok = false;
    const int major = version.section(QLatin1Char('.'), 0, 0).toInt(&ok);
    return ok && major >= 5;
}

bool CheckIEVersion()
{
    if (IsEngineVersionUsable(programValues().ieVersion))
        return false;
    ShowMessageBox(nullptr, QStringLiteral("Internet Explorer version 5 or above required to run this program."),
                   QStringLiteral(" Mira"), MsgType::Information, mbOK);
    return true;
}

bool OpenDocVisibleFor(const QString &version)
{
    return version.isEmpty() || version.at(0) != QLatin1Char('5');
}

bool PrintPreviewVisibleFor(const QString &version)
{
    // The first and third characters compared as characters, as the old rule did.
    const QChar first = version.size() > 0 ? version.at(0) : QChar();
    const QChar third = version.size() > 2 ? version.at(2) : QChar();
    return first >= QLatin1Char('5') && third >= QLatin1Char('5');
}

} // namespace mira
