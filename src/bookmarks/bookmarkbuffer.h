#pragma once
// The program's bookmark copy buffer: a bookmark list without a view, through which
// bookmarks move from one pane's list to another. It is separate from the system
// clipboard, holds whole bookmarks (scroll and refresh settings too) and keeps the
// lists' uniqueness rules: a clash asks its question centred on the screen.
#include "bookmarks/urls.h"

namespace mira {

class BookmarkCopyBuffer : public TURLs {
public:
    BookmarkCopyBuffer() : TURLs(nullptr) {}

    // Appends a copy of url; an identical buffered bookmark moves to the end instead.
    void Copy(const TURL &url);
    // The buffer becomes a copy of the whole list.
    void CopyAll(const TURLs &list);
    // Appends copies of the buffered bookmarks to list, in buffer order, and empties
    // the buffer. True when the list grew (identical bookmarks only move to the end).
    bool PasteInto(TURLs &list);
};

} // namespace mira
