// Internet Options from the Actions menu: it acts on one pane's web view, the first
// the user can see, or else the first pane, brought into view.
#include <QPointer>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "browser/panecommands.h"
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

int TAppControlModule::FirstVisibleBrowser() const
{
    // A widget is visible only while it and all its ancestors are shown.
    for (int i = 0; i < BrowserList.size(); ++i)
        if (BrowserList.at(i) && BrowserList.at(i)->isVisible())
            return i;
    return -1;
}

void TAppControlModule::InternetOptionsActionExecute()
{
    if (BrowserList.isEmpty())
        return;
    const int index = FirstVisibleBrowser();
    QPointer<QWidget> target = BrowserList.at(index < 0 ? 0 : index);
    if (index < 0 && target)
        bringIntoView(target);
    if (auto *pane = dynamic_cast<PaneCommands *>(target.data()))
        pane->RunDocumentCommand(DocumentCommand::InternetOptions);
}

} // namespace mira
