#include "bookmarks/bookmarkbuffer.h"

namespace mira {

void BookmarkCopyBuffer::Copy(const TURL &url)
{
    Add()->Assign(url);
}

void BookmarkCopyBuffer::CopyAll(const TURLs &list)
{
    Assign(list);
}

bool BookmarkCopyBuffer::PasteInto(TURLs &list)
{
    const int before = list.Count();
    list.BeginUpdate();
    for (int i = 0; i < Count(); ++i)
        list.Add()->Assign(*Items(i));
    list.EndUpdate();
    Clear();
    return list.Count() > before;
}

} // namespace mira
