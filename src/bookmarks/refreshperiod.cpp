#include "bookmarks/refreshperiod.h"

#include <algorithm>

namespace mira {

int RefreshPeriod(int refresh)
{
    return refresh > 0 ? refresh : 0;
}

bool EditorAllowsGlobalRefresh(int refresh)
{
    return refresh >= 0;
}

int EditorPeriodField(int refresh)
{
    return std::min(RefreshPeriod(refresh), MaxEditorPeriod);
}

int EditorRefreshValue(bool allowGlobalRefresh, int periodField)
{
    if (!allowGlobalRefresh)
        return -1;
    return std::clamp(periodField, 0, MaxEditorPeriod);
}

} // namespace mira
