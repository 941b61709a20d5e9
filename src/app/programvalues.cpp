#include "app/programvalues.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "app/setsfolder.h"
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
    // The program's own folder unless the program is installed.
    SetsFolderInUse() = PlanSetsFolder(ProbeSetsFolder(folder));
    v.programFolder = SetsFolderInUse().folder;
}

namespace {

// The number of a version text's part (0 major, 1 minor); 0 when it is not a number.
int versionNumber(const QString &version, int part)
{
    bool ok = false;
    const int n = version.section(QLatin1Char('.'), part, part).toInt(&ok);
    return ok ? n : 0;
}

} // namespace

bool IsEngineVersionUsable(const QString &version)
{
    return !version.isEmpty() && versionNumber(version, 0) >= 5;
}

bool CheckIEVersion()
{
    if (IsEngineVersionUsable(programValues().ieVersion))
        return false;
    ShowMessageBox(nullptr,
                   QStringLiteral(
                       "Internet Explorer version 5 or above required to run this program."),
                   QStringLiteral(" Mira"), MsgType::Information, mbOK);
    return true;
}

bool OpenDocVisibleFor(const QString &version)
{
    // Numbers, not characters: "102..." is a current engine, not a 1.x one.
    return versionNumber(version, 0) != 5;
}

bool PrintPreviewVisibleFor(const QString &version)
{
    const int major = versionNumber(version, 0);
    return major > 5 || (major == 5 && versionNumber(version, 1) >= 5);
}

} // namespace mira
