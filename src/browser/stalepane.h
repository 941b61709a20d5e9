#pragma once
// The stale mark of a pane: while loads of the pane's bookmark fail, the navigation
// bar shows a mark with the time of the last good load (the error in its hint) and
// the pane tries again by itself, with growing pauses; the first good load clears it.
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "platform/webcontrol.h"

class QAction;
class QToolBar;
class QToolButton;

namespace mira {

class StaleMark : public QObject {
    Q_OBJECT
public:
    // The mark goes at the end of bar; retry loads the bookmark again. spread differs
    // between panes (retryschedule.h).
    StaleMark(QToolBar *bar, quint32 spread, std::function<void()> retry);

    // A load of the pane ended; now is when (for tests).
    void LoadEnded(const platform::PageLoad &load,
                   const QDateTime &now = QDateTime::currentDateTime());
    // The connection came back: try again at once.
    void RetryNow();

    bool IsStale() const { return stale; }
    QDateTime LastGood() const { return lastGood; }
    QString LastError() const { return lastError; }
    int Failures() const { return failures; }
    // Milliseconds until the next try; -1 when none is due.
    qint64 NextRetryMs() const;
    QToolButton *Mark() const { return button; }

Q_SIGNALS:
    // The pane turned stale (true) or its mark went (false).
    void StaleChanged(bool stale);

private:
    void clear();
    void update();
    void tell(bool nowStale);

    QPointer<QToolButton> button;
    QPointer<QAction> action;
    QTimer timer;
    std::function<void()> retry;
    quint32 spread;
    bool stale = false;
    int failures = 0;
    QDateTime lastGood;
    QString lastError;
};

// The changes of every stale mark, for whoever follows all panes at once.
class StaleMarks : public QObject {
    Q_OBJECT
public:
    static StaleMarks &Instance();
Q_SIGNALS:
    void Changed(StaleMark *mark, bool stale);
};

} // namespace mira
