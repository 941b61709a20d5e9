#pragma once
// What a bookmark's Refresh number means for timed reloads, and how the bookmark
// editor shows and writes it. Negative: skipped by Go All and Refresh All. Zero:
// taken by both, no timed reload. Positive: taken by both and reloaded by itself
// every that many seconds.
namespace mira {

// Seconds between timed reloads of a bookmark, 0 for none.
int RefreshPeriod(int refresh);

// The editor's "Allow Global Refresh" check box and period field for a Refresh
// value; a bookmark skipped by the global commands shows a period of 0.
bool EditorAllowsGlobalRefresh(int refresh);
int EditorPeriodField(int refresh);

// The Refresh value the editor stores: -1 when global refresh is not allowed (the
// period cannot reload a bookmark that Go All skips), else the period clamped to
// 0..MaxEditorPeriod.
int EditorRefreshValue(bool allowGlobalRefresh, int periodField);

// The period field's range: up to a day.
constexpr int MaxEditorPeriod = 86400;

} // namespace mira
