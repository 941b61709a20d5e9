#pragma once
// Internet Options from the Actions menu: it acts on one pane's web view, the first
// the user can see, or else the first pane, brought into view.
#include <QList>

namespace mira {

class TBrowser;

// The index in panes of the first pane shown with all its ancestors; -1 for none.
int FirstVisiblePane(const QList<TBrowser *> &panes);
// Internet Options on the first visible pane, else on the first pane, brought into
// view (every tabbed page around it becomes its book's active page).
void RunInternetOptions(const QList<TBrowser *> &panes);

} // namespace mira
