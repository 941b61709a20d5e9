#include "app/program.h"

#include <QApplication>

#include "app/programvalues.h"

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace mira {

void prepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setOrganizationName(QStringLiteral("mira"));
    QCoreApplication::setApplicationName(QStringLiteral("mira"));
}

void initProgram(QApplication &app)
{
    initResources();
    app.setApplicationDisplayName(QString());
    InitProgramValues();
}

} // namespace mira
