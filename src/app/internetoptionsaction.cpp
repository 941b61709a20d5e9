#include "app/internetoptionsaction.h"

#include <QPointer>

#include "browser/browser.h"
#include "layout/book.h"

namespace mira {
namespace {

// Makes every tabbed page around w the active page of its book.
void bringIntoView(QWidget *w)
{
    for (QWidget *child = w, *parent = w->parentWidget(); parent;
         child = parent, parent = parent->parentWidget()) {
        auto *page = qobject_cast<TPage *>(child);
        if (!page)
            continue;
        // A page's parent is its book's page stack, whose parent is the book.
        for (QWidget *up = parent; up; up = up->parentWidget())
            if (auto *book = qobject_cast<TBook *>(up)) {
                if (book->indexOf(page) >= 0)
                    book->setCurrentWidget(page);
                break;
            }
    }
}

} // namespace

int FirstVisiblePane(const QList<TBrowser *> &panes)
{
    // A widget is visible only while it and all its ancestors are shown.
    for (int i = 0; i < panes.size(); ++i)
        if (panes.at(i)->isVisible())
            return i;
    return -1;
}

void RunInternetOptions(const QList<TBrowser *> &panes)
{
    if (panes.isEmpty())
        return;
    const int index = FirstVisiblePane(panes);
    QPointer<TBrowser> target = panes.at(index < 0 ? 0 : index);
    if (index < 0)
        bringIntoView(target);
    // Bringing a page into view may run events in which the pane goes.
    if (target)
        target->Commands().RunDocumentCommand(DocumentCommand::InternetOptions);
}

} // namespace mira
