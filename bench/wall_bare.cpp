// The yardstick of wall_bench: a bare Qt WebEngine program showing N views of one
// page in a grid.   wall_bare N URL
#include <QApplication>
#include <QGridLayout>
#include <QUrl>
#include <QWebEngineView>
#include <cmath>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const int n = std::max(1, std::atoi(argv[1]));
    const int columns = int(std::ceil(std::sqrt(double(n))));
    QWidget window;
    auto *grid = new QGridLayout(&window);
    for (int i = 0; i < n; ++i) {
        auto *view = new QWebEngineView(&window);
        view->load(QUrl(QString::fromLocal8Bit(argv[2])));
        grid->addWidget(view, i / columns, i % columns);
    }
    window.resize(1280, 960);
    window.show();
    return app.exec();
}
