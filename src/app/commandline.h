#pragma once
// The program's command line: a set to open, the help and version texts, and the
// wall snapshot for monitoring screens.
#include <QString>
#include <QStringList>

namespace mira {

struct CommandLine {
    bool help = false;
    bool version = false;
    QString snapshot;        // PNG to write; empty: an ordinary start
    int waitSeconds = 30;    // the snapshot's time limit for loading
    bool fullScreen = false; // full screen for this run, whatever the set says
    QStringList sets;        // the first one is opened; the rest are ignored
    QString error;           // not empty: the line cannot be used, and why
};

// Reads the arguments (without the program name). Options begin with "--";
// "--" ends them. Anything else is a set name.
CommandLine ParseCommandLine(const QStringList &arguments);

// An option word, "--name=value" split at its first '=' (no value without one).
struct OptionWord {
    QString name;
    QString value;
    bool hasValue = false;
};
OptionWord SplitOption(const QString &arg);

// What --help prints, every option listed.
QString UsageText();
// What --version prints: the program name and its version.
QString VersionText(const QString &program);

} // namespace mira
