#pragma once
// The wall's state at a glance: one row per pane saying what it shows, when it last
// loaded well, what went wrong since, when it reloads next and how old its kept copy
// is. The rows are made from plain values so they are tested without panes.
#include <QDateTime>
#include <QList>
#include <QString>

class QWidget;

namespace mira {

// What is known of one pane.
struct PaneStatus {
    QString pane;    // the pane's name
    QString book;    // the book holding it; both empty when it is on no book page
    QString page;    // the caption of its book page
    QString address; // the address it shows
    QDateTime lastGood;
    QString lastError;        // empty while its loads succeed
    qint64 nextReloadMs = -1; // until its next timed reload; -1: none
    QDateTime copyTaken;      // invalid: no kept copy
};

struct WallStatusRow {
    QString pane, page, address, lastGood, lastError, nextReload, copyAge;
};

// "45 s", "3 min", "2 h 5 min", "4 d 3 h"; "0 s" for a negative span.
QString SpanText(qint64 seconds);
// One row per pane, in the order given; "-" stands for what is not known.
QList<WallStatusRow> WallStatusRows(const QList<PaneStatus> &panes, const QDateTime &now);

// The dialog listing rows; closes with Escape or its Close button.
void ShowWallStatus(QWidget *parent, const QList<WallStatusRow> &rows);

} // namespace mira
