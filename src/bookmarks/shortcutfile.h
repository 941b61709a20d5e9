#pragma once
// Internet Shortcut files (".url"): an "[InternetShortcut]" section with a "URL=" line.
// The Favorites menu reads them; Add To Favorites writes them.
#include <QByteArray>
#include <QString>

namespace mira {

// The address in a shortcut file's bytes: the text after the first "=" of the first
// line whose key (the text before that "=") is "url" ignoring case; empty when
// there is none. Bytes that are not valid UTF-8 are read as Windows-1252.
QString ShortcutURLFromBytes(const QByteArray &bytes);

// ShortcutURLFromBytes of the file; empty when it does not exist or cannot be read.
QString ReadShortcutURL(const QString &file);

// The bytes of a shortcut file for address (UTF-8, CR LF line ends).
QByteArray ShortcutFileBytes(const QString &address);

// A file name (without extension) made of title: no "/" or NUL or other control
// characters, no leading dots or blanks, at most 240 bytes of UTF-8; "Favorite"
// when nothing is left.
QString SafeFavoriteName(const QString &title);

// Writes the shortcut for address to file through a temporary file renamed over it,
// so a failure never leaves half a file; false when it could not be written.
bool WriteShortcutFile(const QString &file, const QString &address);

} // namespace mira
