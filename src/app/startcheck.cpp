#include "app/startcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/configfiles.h"
#include "app/setfilecheck.h"
#include "dialogs/messagebox.h"

namespace mira {
namespace {

const QString kSetCaption = QStringLiteral("Configuration Set");

// The folder a path's file goes into (relative paths: the working folder's).
QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// A path as the program folder resolves it, without adding ".set".
QString inProgramFolder(const QString &name, const QString &programFolder)
{
    return QDir::isAbsolutePath(name) ? name : programFolder + name;
}

// Why the set named cannot be opened, or nothing when it can.
QString setProblem(const QString &name, const QString &programFolder, const PathProbe &probe)
{
    const QString path = ExpandConfigName(name, programFolder);
    const PathFacts set = probe(path);
    const QString quoted = QLatin1Char('"') + name + QLatin1Char('"');
    if (!set.exists) {
        // "Desk" looks for Desk.set; a folder of that name is what was meant.
        const QString plain = inProgramFolder(name, programFolder);
        if (plain != path && probe(plain).folder)
            return quoted + QStringLiteral(" is a folder, not a configuration set:\n") + plain;
        return QStringLiteral("The configuration set %1 was not found. There is no file\n")
                   .arg(quoted)
               + path;
    }
    if (set.folder)
        return quoted + QStringLiteral(" is a folder, not a configuration set:\n") + path;
    if (!set.readable)
        return QStringLiteral("The configuration set %1 cannot be read (no permission):\n")
                   .arg(quoted)
               + path;
    if (!HasSetExtension(path))
        return quoted + QStringLiteral(" is not a configuration set (their names end in .set):\n")
               + path;
    if (!set.setHeader)
        return quoted
               + QStringLiteral(" is not a configuration set (it does not begin with "
                                "\"object TBaseForm\"):\n")
               + path;
    return {};
}

// Why the snapshot cannot be written to path, or nothing when it can.
QString snapshotProblem(const QString &path, const PathProbe &probe)
{
    const QString cannot = QStringLiteral("cannot write the snapshot ") + path
                           + QStringLiteral(": ");
    const QString folder = folderOf(path);
    const PathFacts into = probe(folder);
    if (!into.exists)
        return cannot + QStringLiteral("the folder ") + folder + QStringLiteral(" does not exist");
    if (!into.folder)
        return cannot + folder + QStringLiteral(" is not a folder");
    const PathFacts file = probe(path);
    if (file.folder)
        return cannot + QStringLiteral("it is a folder");
    if (!into.writable)
        return cannot + QStringLiteral("the folder ") + folder
               + QStringLiteral(" cannot be written to");
    if (file.exists && !file.writable)
        return cannot + QStringLiteral("the file cannot be written to");
    return {};
}

} // namespace

PathFacts ProbePath(const QString &path)
{
    PathFacts facts;
    const QFileInfo info(path);
    facts.exists = info.exists();
    facts.folder = info.isDir();
    // Permission bits say nothing for the superuser: the access checks do.
    facts.writable = info.isWritable();
    if (facts.exists && !facts.folder) {
        QFile file(path);
        facts.readable = file.open(QIODevice::ReadOnly);
        if (facts.readable) {
            file.close();
            facts.setHeader = HasSetHeader(path);
        }
    }
    return facts;
}

StartPlan PlanStart(const CommandLine &line, const QString &programFolder, const QString &favorites,
                    const PathProbe &probe)
{
    StartPlan plan;
    const bool snapshot = !line.snapshot.isEmpty();
    if (snapshot) {
        if (QString problem = snapshotProblem(line.snapshot, probe); !problem.isEmpty()) {
            plan.refusal = problem;
            plan.exitCode = kExitUnusableInput;
            return plan;
        }
    }
    if (!line.sets.isEmpty()) {
        if (QString problem = setProblem(line.sets.constFirst(), programFolder, probe);
            !problem.isEmpty()) {
            plan.withoutSet = true;
            if (snapshot) {
                plan.refusal = problem;
                plan.exitCode = kExitUnusableInput;
                return plan;
            }
            plan.warnings.append(
                {kSetCaption, problem + QStringLiteral("\n\nMira starts without a set.")});
        }
    }
    if (!favorites.isEmpty()) {
        const QString folder = inProgramFolder(favorites, QDir::currentPath() + QLatin1Char('/'));
        if (const PathFacts f = probe(folder); f.exists && !f.folder)
            plan.warnings.append({QStringLiteral("Favorites"),
                                  QStringLiteral("MIRA_FAVORITES names a file, not a folder:\n")
                                      + folder
                                      + QStringLiteral("\n\nFavorites cannot be shown or added.")});
    }
    return plan;
}

QString NoticeLine(const StartNotice &notice)
{
    QString text = notice.text;
    text.replace(QStringLiteral("\n\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void TellStartWarnings(const StartPlan &plan)
{
    for (const StartNotice &notice : plan.warnings)
        ShowMessageBox(nullptr, notice.text, notice.caption, MsgType::Warning, mbOK);
}

} // namespace mira
