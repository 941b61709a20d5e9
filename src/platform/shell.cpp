#include "platform/shell.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace mira::platform {

bool ShellOpen(const QString &path)
{
    const QUrl url = QFileInfo::exists(path) ? QUrl::fromLocalFile(path) : QUrl(path);
    return url.isValid() && !url.isEmpty() && QDesktopServices::openUrl(url);
}

bool OpenFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Beep()
{
    QApplication::beep();
}

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void SetClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

bool ClipboardHasText()
{
    return !QGuiApplication::clipboard()->text().isEmpty();
}

} // namespace mira::platform
