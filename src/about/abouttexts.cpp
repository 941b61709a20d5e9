#include "about/abouttexts.h"

namespace mira {
namespace {

QStringList withTitle(const char *title, std::initializer_list<const char *> paragraphs)
{
    QStringList lines{QString(), QString::fromUtf8(title), QString()};
    for (const char *p : paragraphs)
        lines << QString::fromUtf8(p);
    return lines;
}

} // namespace

QStringList AboutMiraText()
{
    return withTitle(
        "About Mira",
        {"Mira is a web browser whose window you design yourself. The window is a tree of "
         "resizable blocks with splitters between them, tabbed books whose pages hold more "
         "blocks, and any number of browser panes.",
         "",
         "Every pane has its own navigation bar and its own bookmark list in its address box. "
         "A layout, with all its panes' bookmarks and the option flags, is a configuration "
         "set, kept as a .set text file in the sets folder.",
         "",
         "People use Mira as a dashboard: many live pages on one screen, arranged once and "
         "opened again every day. Go All loads every pane's selected bookmark at once; "
         "Refresh All reloads the bookmarked pages.",
         "",
         "Mira is written in C++ on Qt 6 Widgets; the pages are shown by Qt WebEngine, which "
         "is built on Chromium."});
}

QStringList HintsAndTipsText()
{
    return withTitle(
        "Hints & Tips",
        {"Keys: F9 Go All, F8 Refresh All, F7 Stop All, F4 Minimize, F1 this box. They work "
         "wherever the focus is, also with the menu hidden.",
         "",
         "Address box: pick a bookmark from the list to load it. Typing never loads "
         "anything: type a bookmark's name or an address and press Enter or Go. Ctrl+Up and "
         "Ctrl+Down load the bookmark above or below; Escape takes your last edit back.",
         "",
         "Designing: right-click an empty block, a tab or a navigation bar. New puts a book "
         "or a browser pane beside the control, on the side you clicked nearest; Delete "
         "removes it and the layout folds back together. A new control comes small: drag "
         "its splitter to give it room. Tabs On Bottom and Navigation Bar On Bottom move "
         "tabs and bars; the Page commands rename, move, add and delete pages.",
         "",
         "Sets: start Mira with a set's name (mira Market opens Market.set in the program "
         "folder), or without one to open the set saved last. Save On Close keeps your "
         "changes when you quit; AutoSave saves every ten minutes. A set is written to a "
         "temporary file first and then renamed over the old one, so a failed save never "
         "leaves half a set.",
         "",
         "Hidden Menu hides the main menu: right-click the status bar for the same "
         "commands.",
         "",
         "Favorites: Paste From Favorites in the address box's menu puts an address from "
         "your Favorites folder into the box without loading it. The folder is "
         "mira/Favorites in your data folder, or the folder MIRA_FAVORITES names; its "
         "shortcuts are .url files."});
}

QStringList KnownIssuesText()
{
    return withTitle(
        "Known Issues",
        {"Cut, Copy and Paste of books, pages and browser panes, Block New, Undo and "
         "Options... are not built yet: they say \"Sorry, not imlemented yet.\"",
         "",
         "While offline, pages are not shown from the cache: only pages already on screen "
         "stay.",
         "",
         "The Paste From Favorites menu reads each folder once per run: favorites added or "
         "removed meanwhile show after a restart.",
         "", "Organize Favorites... needs a desktop file manager; without one Mira says so.", "",
         "Pages cannot open windows of their own: links and scripts that ask for a new "
         "window load in the pane they came from.",
         "",
         "Text Size zooms the whole page in five steps rather than changing the size of "
         "the text alone."});
}

} // namespace mira
