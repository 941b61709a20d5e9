#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/component.h"
#include "layout/designcommands.h"
#include "layout/pan.h"
#include "layout/split.h"
#include "support/designfixture.h"

using namespace mira;

namespace {

class DesignRoundTrip : public test::DesignTest {};

// One line per component, depth first, with what a set keeps of it.
void describe(QWidget *w, int depth, QStringList &out)
{
    Component *c = AsComponent(w);
    if (!c)
        return;
    QString line = QString(depth * 2, QLatin1Char(' ')) + c->ClassName();
    if (!qobject_cast<TPage *>(w))
        line += QStringLiteral(" %1 %2,%3 %4x%5")
                    .arg(AlignName(AlignOf(w)))
                    .arg(w->x())
                    .arg(w->y())
                    .arg(w->width())
                    .arg(w->height());
    if (auto *split = qobject_cast<TSplit *>(w))
        line += QStringLiteral(" min %1").arg(split->MinSize());
    if (auto *pane = qobject_cast<TBrowser *>(w))
        line += static_cast<DesignablePane *>(pane)->BottomBar() ? QStringLiteral(" bar bottom")
                                                                 : QStringLiteral(" bar top");
    if (auto *page = qobject_cast<TPage *>(w))
        line += QStringLiteral(" \"%1\"").arg(page->Caption());
    if (auto *book = qobject_cast<TBook *>(w)) {
        line += QStringLiteral(" tabs %1 active %2")
                    .arg(TabPositionName(book->TabPosition()))
                    .arg(book->ActivePageIndex());
        out << line;
        for (int i = 0; i < book->PageCount(); ++i)
            describe(book->Page(i), depth + 1, out);
        return;
    }
    out << line;
    if (qobject_cast<TBrowser *>(w))
        return;
    for (QWidget *child : ControlsOf(w))
        describe(child, depth + 1, out);
}

QStringList describeTree(TBaseForm *form)
{
    QStringList out;
    for (QWidget *w : ControlsOf(form->ClientArea()))
        describe(w, 0, out);
    return out;
}

} // namespace

TEST_F(DesignRoundTrip, ALayoutBuiltByTheCommandsSavesAndReopensUnchanged)
{
    open();
    TBrowser *first = fillRoot();
    ASSERT_NE(first, nullptr);
    clickPane(first, QPoint(first->width() / 2, first->height() - 3)); // bottom
    insert("TBrowser");
    auto *second = static_cast<TBrowser *>(module()->Panes().List().last());
    clickPane(first, QPoint(first->width() / 2, first->height() / 2)); // centre: right
    insert("TBrowser");
    auto *third = static_cast<TBrowser *>(module()->Panes().List().last());
    clickPane(first, QPoint(first->width() / 2, first->height() - 3)); // bottom again
    insert("TBook");
    ASSERT_NE(second, third);
    ASSERT_TRUE(modal.asked.isEmpty()) << modal.asked.value(0).caption.toStdString();
    auto *book = qobject_cast<TBook *>(first->parentWidget()->findChild<TBook *>());
    ASSERT_NE(book, nullptr);
    clickOn(book, QPoint(5, 5));
    modal.answer(mrOK);
    module()->Action("PageNewAction")->trigger();
    module()->Action("BookTabsPosAction")->trigger();
    clickPane(third, QPoint(5, 5));
    module()->Menus().DesignPopup()->aboutToShow();
    module()->Action("BrowserNaviBarPosAction")->trigger();
    ASSERT_EQ(book->PageCount(), 2);
    ASSERT_TRUE(static_cast<DesignablePane *>(third)->BottomBar());
    ASSERT_EQ(module()->Panes().List().size(), 3);

    const QString before = describeTree(form()).join(QLatin1Char('\n'));
    const QSize windowSize = form()->size();
    ASSERT_TRUE(module()->File().Sets().SaveConfigFile());
    const QString path = module()->File().Sets().ConfigFileName;
    const QByteArray saved = readFile(path);
    ASSERT_FALSE(saved.isEmpty());

    program.reset();
    start({path});
    form()->show();
    // The frame is not known before the window shows: give it the same client size.
    form()->resize(windowSize);
    QCoreApplication::processEvents();
    EXPECT_EQ(describeTree(form()).join(QLatin1Char('\n')).toStdString(), before.toStdString());
    ASSERT_TRUE(module()->File().Sets().SaveConfigFile());
    EXPECT_EQ(readFile(path).toStdString(), saved.toStdString());
}
