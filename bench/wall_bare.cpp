// The yardstick of wall_bench: a bare Qt WebEngine program showing N views of one
// page in a grid.   wall_bare N URL [FOLDER]
// With a folder, the views use a profile kept there, with cookies and a disk cache as
// a browser keeps them; without, the engine's default profile, which keeps nothing.
#include <QApplication>
#include <QGridLayout>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cmath>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4)
        return 2;
    QWebEngineProfile *kept = nullptr;
    if (argc == 4) {
        const QString folder = QString::fromLocal8Bit(argv[3]);
        kept = new QWebEngineProfile(QStringLiteral("bare"), &app);
        kept->setPersistentStoragePath(folder + QStringLiteral("/profile"));
        kept->setCachePath(folder + QStringLiteral("/cache"));
        kept->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        kept->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    }
    const int n = std::max(1, std::atoi(argv[1]));
    const int columns = int(std::ceil(std::sqrt(double(n))));
    QWidget window;
    auto *grid = new QGridLayout(&window);
    for (int i = 0; i < n; ++i) {
        auto *view = new QWebEngineView(&window);
        if (kept)
            view->setPage(new QWebEnginePage(kept, view));
        view->load(QUrl(QString::fromLocal8Bit(argv[2])));
        grid->addWidget(view, i / columns, i % columns);
    }
    window.resize(1280, 960);
    window.show();
    return app.exec();
}
