#include "support/designfixture.h"

#include <QCoreApplication>
#include <QToolBar>

#include "browser/browser.h"
#include "layout/align.h"
#include "layout/designcommands.h"
#include "layout/pan.h"

namespace mira::test {

void DesignTest::open()
{
    start();
    ASSERT_TRUE(
        module()->File().Sets().CreateConfigFile(folder() + QStringLiteral("Design.set"), false));
    form()->resize(800, 600);
    form()->show();
    QCoreApplication::processEvents();
    root = form()->RootContainer();
    ASSERT_NE(root, nullptr);
    ASSERT_NE(design(), nullptr);
}

DesignCommands *DesignTest::design() const
{
    return module()->findChild<DesignCommands *>();
}

PopupState DesignTest::clickOn(QWidget *control, QPoint local)
{
    module()->SetLastControl(control, control->mapToGlobal(local));
    return design()->DesignPopupPopup(control);
}

PopupState DesignTest::clickPane(TBrowser *pane, QPoint inPane)
{
    module()->SetLastControl(pane->NaviBar, pane->mapToGlobal(inPane));
    return design()->DesignPopupPopup(pane->NaviBar);
}

void DesignTest::insert(const char *className)
{
    design()->InsertControl(QString::fromLatin1(className), module()->LastControl(),
                            module()->LastMousePos());
}

void DesignTest::remove(const char *className)
{
    design()->DeleteControl(QString::fromLatin1(className), module()->LastControl());
}

TBrowser *DesignTest::fillRoot()
{
    clickOn(root, QPoint(5, 5));
    insert("TBrowser");
    const QList<QWidget *> c = ControlsOf(root);
    return c.size() == 1 ? qobject_cast<TBrowser *>(c.first()) : nullptr;
}

} // namespace mira::test
