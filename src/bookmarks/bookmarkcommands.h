#pragma once
// The bookmark commands of the address box's popup menu: adding the shown location,
// moving bookmarks through the copy buffer, deleting, editing, and the two scroll
// settings of the bookmark whose page is loaded. Every question and message is
// owned by the box.
namespace mira {

class BookmarkCopyBuffer;
class TURL;
class TURLCombo;

// The bookmark of the box's selected line (as the list marks it), or nullptr.
TURL *LineBookmark(const TURLCombo &combo);

// Asks for a name and appends the location the box shows (the loaded page, or after
// a warning the typed text) to the box's list.
void AddBookmark(TURLCombo &combo);

void CopyBookmark(const TURLCombo &combo, BookmarkCopyBuffer &buffer);
void CopyAllBookmarks(const TURLCombo &combo, BookmarkCopyBuffer &buffer);
// Moves the buffer's content into the box's list.
void PasteBookmarks(TURLCombo &combo, BookmarkCopyBuffer &buffer);

// After asking; true when deleted. Beeps when there is nothing to delete.
bool DeleteBookmark(TURLCombo &combo);
bool DeleteAllBookmarks(TURLCombo &combo);

// The bookmark editor for the selected bookmark (a beep without one).
void EditBookmark(TURLCombo &combo);

// The selected bookmark hides the scroll bars.
bool SelectedNoScroll(const TURLCombo &combo);
// Both need the selected bookmark's page to be the loaded one; otherwise a beep.
// Remembers the loaded page's scroll position in the selected bookmark.
void SaveScrollPosition(TURLCombo &combo);
// Hides (flag) or shows the scroll bars for the selected bookmark, then reloads the
// page (also after the beep), which applies the setting.
void SetNoScrollBars(TURLCombo &combo, bool flag);

} // namespace mira
