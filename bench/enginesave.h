#pragma once
// The engine's own MIME HTML save, measured bare: the same save through the profile's
// download request that the web control makes to keep a copy (pagestandin.cpp), timed
// beside the load it follows. The yardstick of copies_bench, outside Mira's layers.
#include <QByteArray>
#include <QUrl>

namespace mira::bench {

struct EngineRun {
    bool ok = false;
    double loadMs = 0; // a load of the page, on average
    double saveMs = 0; // a MIME HTML save of it, on average
    double saveMinMs = 0;
    double saveMaxMs = 0;
    qint64 copyBytes = 0; // the size of the last copy
    QByteArray copy;      // the last copy, for the store
};

// Loads url once to start the renderer, then count times reloads it and saves it.
EngineRun engineSaves(const QUrl &url, int count);

} // namespace mira::bench
