#pragma once
// What the about box makes of the program's version table: the lines of its
// version box and the values its labels show.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace mira {

// The key as the version box lists it: a blank before every capital that follows a
// small letter, from the third character on ("LegalTradeMarks": "Legal Trade Marks").
QString SpacedKey(const QString &key);

// The build number in a file version: the text after its last full stop, at most 5
// characters ("1.0.0.123": "123").
QString BuildOf(const QString &fileVersion);

struct VersionInfo {
    // Heading lines, then "Key: value" lines in table order (Location followed by
    // the Language line); a single "... contains no version info." line for an empty table.
    QStringList lines;
    QString productName, version, homePage, build, copyright, mail, started, continued, location;
};

// languageName is the system's name of the table's language, e.g. "English (United States)".
VersionInfo ReadVersionInfo(const QList<QPair<QString, QString>> &table, const QString &programFile,
                            const QString &languageName);

} // namespace mira
