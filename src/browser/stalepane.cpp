#include "browser/stalepane.h"

#include <QAction>
#include <QLocale>
#include <QToolBar>
#include <QToolButton>

#include "browser/retryschedule.h"

namespace mira {

StaleMark::StaleMark(QToolBar *bar, quint32 spreadKey, std::function<void()> retryFn)
    // The button is made without a parent, as the bar takes it in below: taking a child
    // of the bar out of its window first would walk the whole window's focus chain.
    : QObject(bar), button(new QToolButton), retry(std::move(retryFn)), spread(spreadKey)
{
    button->setObjectName(QStringLiteral("StaleMark"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Plain and loud: the one thing on the bar that is not the page's. A palette and a
    // font, not a style sheet: a sheet gives every pane's button a style of its own,
    // which cost more than the rest of the mark when a large set opens.
    QPalette loud = button->palette();
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        loud.setColor(role, QColor(0xb0, 0x00, 0x00));
    button->setPalette(loud);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    // First on the bar, where a narrow pane still shows it.
    const QList<QAction *> actions = bar->actions();
    action = actions.isEmpty() ? bar->addWidget(button)
                               : bar->insertWidget(actions.constFirst(), button);
    action->setVisible(false);
    connect(button, &QToolButton::clicked, this, [this] { RetryNow(); });
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [this] {
        if (retry)
            retry();
    });
}

void StaleMark::LoadEnded(const platform::PageLoad &load, const QDateTime &now)
{
    // Offline, nothing is asked of the servers and the status bar tells what is shown;
    // a load of another address leaves the bookmark behind.
    if (load.offline || !load.kept) {
        clear();
        return;
    }
    if (load.ok) {
        lastGood = now;
        clear();
        return;
    }
    const bool turned = !stale;
    stale = true;
    ++failures;
    lastError = load.error;
    if (load.copyTaken.isValid() && (!lastGood.isValid() || load.copyTaken > lastGood))
        lastGood = load.copyTaken;
    timer.start(int(RetryDelayMs(failures, spread)));
    update();
    if (turned)
        tell(true);
}

void StaleMark::RetryNow()
{
    if (!stale)
        return;
    timer.stop();
    if (retry)
        retry();
}

qint64 StaleMark::NextRetryMs() const
{
    return timer.isActive() ? timer.remainingTime() : -1;
}

void StaleMark::clear()
{
    const bool was = stale;
    stale = false;
    failures = 0;
    timer.stop();
    update();
    if (was)
        tell(false);
}

void StaleMark::update()
{
    if (!button || !action)
        return;
    if (!stale) {
        action->setVisible(false);
        return;
    }
    const QLocale locale;
    const QString when = lastGood.isValid()
                             ? locale.toString(lastGood.toLocalTime(), QLocale::ShortFormat)
                             : QString();
    button->setText(lastGood.isValid()
                        ? QStringLiteral("\u26A0 %1")
                              .arg(locale.toString(lastGood.time(), QLocale::ShortFormat))
                        : QStringLiteral("\u26A0"));
    const QString shown = when.isEmpty()
                              ? QStringLiteral("This page has not loaded yet.")
                              : QStringLiteral("Showing the page as it was at %1.").arg(when);
    const QString tip =
        QStringLiteral("%1\nThe last load failed: %2\nTrying again in %3 s (click to try now).")
            .arg(shown, lastError)
            .arg((timer.remainingTime() + 999) / 1000);
    button->setToolTip(tip);
    button->setStatusTip(
        tip.section(QLatin1Char('\n'), 0, 1).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    // Shown (or changed) once its text is in: the bar makes room for it as it is now.
    action->setText(button->text());
    action->setVisible(true);
}

void StaleMark::tell(bool nowStale)
{
    Q_EMIT StaleChanged(nowStale);
    Q_EMIT StaleMarks::Instance().Changed(this, nowStale);
}

StaleMarks &StaleMarks::Instance()
{
    static StaleMarks marks;
    return marks;
}

} // namespace mira
