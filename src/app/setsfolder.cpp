#include "app/setsfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/setfilecheck.h"

// The installed data folder as seen from the installed program's folder; the build
// sets it from the install's own folder names.
#ifndef MIRA_DATA_FROM_BIN
#define MIRA_DATA_FROM_BIN "../share/mira"
#endif

namespace mira {
namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

SetsFolderPlan PlanSetsFolder(const SetsFolderFacts &facts)
{
    SetsFolderPlan plan;
    if (facts.programWritable && facts.installedData.isEmpty()) {
        plan.folder = withSlash(facts.programFolder);
        return plan;
    }
    // A relative $XDG_DATA_HOME is invalid and ignored, as for every XDG program.
    const QString dataHome = QDir::isAbsolutePath(facts.dataHome)
                                 ? facts.dataHome
                                 : facts.home + QStringLiteral("/.local/share");
    plan.folder = withSlash(QDir::cleanPath(dataHome + QStringLiteral("/mira/sets")));
    plan.apart = true;
    // A read-only portable copy hands on the sets it carries.
    plan.seedFrom = withSlash(facts.installedData.isEmpty() ? facts.programFolder
                                                            : facts.installedData);
    return plan;
}

SetsFolderPlan &SetsFolderInUse()
{
    static SetsFolderPlan plan;
    return plan;
}

SetsFolderFacts ProbeSetsFolder(const QString &programFolder)
{
    SetsFolderFacts facts;
    facts.programFolder = programFolder;
    // Permission bits say nothing for the superuser: the access check does.
    facts.programWritable = QFileInfo(programFolder).isWritable();
    const QString data = QDir::cleanPath(programFolder + QStringLiteral(MIRA_DATA_FROM_BIN));
    if (QFileInfo(data).isDir())
        facts.installedData = data;
    facts.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    facts.home = QDir::homePath();
    return facts;
}

QString PrepareSetsFolder(const SetsFolderPlan &plan)
{
    if (!plan.apart)
        return {};
    // Without its final slash: "file/" is no file to stat.
    const QFileInfo info(QDir::cleanPath(plan.folder));
    if (info.exists()) {
        if (info.isDir())
            return {};
        return QStringLiteral("The folder of configuration sets is a file:\n%1\n\n"
                              "Sets cannot be opened or saved.")
            .arg(QDir::cleanPath(plan.folder));
    }
    if (!QDir().mkpath(plan.folder))
        return QStringLiteral("The folder of configuration sets cannot be made:\n%1\n\n"
                              "Sets cannot be saved.")
            .arg(QDir::cleanPath(plan.folder));
    if (plan.seedFrom.isEmpty())
        return {};
    QStringList failed;
    const QDir seed(plan.seedFrom);
    for (const QFileInfo &set : seed.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        if (!HasSetExtension(set.fileName()))
            continue;
        QFile source(set.filePath());
        const QString target = plan.folder + set.fileName();
        if (!source.copy(target)) {
            failed.append(set.filePath() + QStringLiteral(": ") + source.errorString());
            continue;
        }
        // A shipped set is read-only to its user; the copy is the user's to change.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    if (failed.isEmpty())
        return {};
    return QStringLiteral("These configuration sets could not be copied into\n%1:\n%2")
        .arg(QDir::cleanPath(plan.folder), failed.join(QLatin1Char('\n')));
}

} // namespace mira
