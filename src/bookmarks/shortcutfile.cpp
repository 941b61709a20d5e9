#include "bookmarks/shortcutfile.h"

#include <QFile>
#include <QSaveFile>

#include "setfile/encoding.h"

namespace mira {

QString ShortcutURLFromBytes(const QByteArray &bytes)
{
    const QString text = setfile::decodeSetText(bytes);
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && line.left(eq).compare(QLatin1String("url"), Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
        start = end + 1;
    }
    return QString();
}

QString ReadShortcutURL(const QString &file)
{
    QFile f(file);
    if (!f.exists() || !f.open(QIODevice::ReadOnly))
        return QString();
    return ShortcutURLFromBytes(f.readAll());
}

QByteArray ShortcutFileBytes(const QString &address)
{
    return QByteArrayLiteral("[InternetShortcut]\r\nURL=") + address.toUtf8()
           + QByteArrayLiteral("\r\n");
}

QString SafeFavoriteName(const QString &title)
{
    QString name;
    name.reserve(title.size());
    for (QChar c : title) {
        if (c == u'/')
            name += u'-';
        else if (c.category() == QChar::Other_Control || c == u'\n' || c == u'\r')
            name += u' ';
        else
            name += c;
    }
    name = name.simplified();
    while (name.startsWith(u'.') || name.startsWith(u' '))
        name.remove(0, 1);
    // File names are limited in bytes; ".url" follows.
    while (name.toUtf8().size() > 240) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Favorite") : name;
}

bool WriteShortcutFile(const QString &file, const QString &address)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(ShortcutFileBytes(address));
    return f.commit();
}

} // namespace mira
