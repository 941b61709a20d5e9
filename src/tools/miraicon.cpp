// mira-icon: writes the program's icon as PNG files for the desktop's icon theme,
//   mira-icon FOLDER SIZE...   writes FOLDER/SIZExSIZE/apps/mira.png for each size
// Run by the build; the files are installed into the hicolor theme.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "icons/images.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: mira-icon FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = args.takeFirst();
    for (const QString &text : std::as_const(args)) {
        const int size = text.toInt();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (size <= 0 || !QDir().mkpath(dir)
            || !mira::RenderApplicationIcon(size).save(dir + QStringLiteral("/mira.png"))) {
            std::fprintf(stderr, "mira-icon: cannot write the %s icon into %s\n", qPrintable(text),
                         qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
