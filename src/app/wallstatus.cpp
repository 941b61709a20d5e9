#include "app/wallstatus.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/modal.h"

namespace mira {

QString SpanText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 minutes = seconds / 60, hours = minutes / 60, days = hours / 24;
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (minutes < 60)
        return QStringLiteral("%1 min").arg(minutes);
    if (hours < 24)
        return minutes % 60 ? QStringLiteral("%1 h %2 min").arg(hours).arg(minutes % 60)
                            : QStringLiteral("%1 h").arg(hours);
    return hours % 24 ? QStringLiteral("%1 d %2 h").arg(days).arg(hours % 24)
                      : QStringLiteral("%1 d").arg(days);
}

namespace {

const QString none = QStringLiteral("-");

QString orNone(const QString &text)
{
    return text.isEmpty() ? none : text;
}

// A time of today by its clock alone; an older one with its date too.
QString whenText(const QDateTime &when, const QDateTime &now)
{
    if (!when.isValid())
        return none;
    const QString format = when.date() == now.date() ? QStringLiteral("HH:mm:ss")
                                                     : QStringLiteral("yyyy-MM-dd HH:mm");
    return QStringLiteral("%1 (%2 ago)").arg(when.toString(format), SpanText(when.secsTo(now)));
}

} // namespace

QList<WallStatusRow> WallStatusRows(const QList<PaneStatus> &panes, const QDateTime &now)
{
    QList<WallStatusRow> rows;
    rows.reserve(panes.size());
    for (const PaneStatus &p : panes) {
        WallStatusRow row;
        row.pane = orNone(p.pane);
        row.page = p.book.isEmpty() && p.page.isEmpty()
                       ? none
                       : QStringLiteral("%1 / %2").arg(orNone(p.book), orNone(p.page));
        row.address = orNone(p.address);
        row.lastGood = whenText(p.lastGood, now);
        row.lastError = orNone(p.lastError.simplified());
        // Rounded up, as the Refresh button's hint counts.
        row.nextReload = p.nextReloadMs < 0
                             ? none
                             : QStringLiteral("in %1").arg(SpanText((p.nextReloadMs + 999) / 1000));
        row.copyAge = p.copyTaken.isValid() ? SpanText(p.copyTaken.secsTo(now)) : none;
        rows.append(row);
    }
    return rows;
}

void ShowWallStatus(QWidget *parent, const QList<WallStatusRow> &rows)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("WallStatusForm"));
    dialog.setWindowTitle(QStringLiteral("Wall Status"));

    auto *table = new QTableWidget(int(rows.size()), 7, &dialog);
    table->setObjectName(QStringLiteral("WallStatusTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Pane"), QStringLiteral("Page"),
                                      QStringLiteral("Address"), QStringLiteral("Last good load"),
                                      QStringLiteral("Last error"), QStringLiteral("Next reload"),
                                      QStringLiteral("Kept copy age")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->setVisible(false);
    for (int r = 0; r < rows.size(); ++r) {
        const WallStatusRow &row = rows.at(r);
        const QString cells[] = {row.pane,      row.page,       row.address, row.lastGood,
                                 row.lastError, row.nextReload, row.copyAge};
        for (int c = 0; c < 7; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setToolTip(cells[c]);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);

    // Room for every column and row as far as the screen allows; beyond that the
    // table scrolls.
    const int frame = 2 * table->frameWidth();
    const int scroll = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize want(table->horizontalHeader()->length() + frame + scroll,
               table->horizontalHeader()->height() + table->verticalHeader()->length() + frame
                   + scroll);
    if (const QScreen *screen = parent ? parent->screen() : dialog.screen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        want = want.boundedTo(room - QSize(80, 160));
    }
    table->setMinimumSize(want.expandedTo(
        QSize(table->fontMetrics().averageCharWidth() * 40, table->fontMetrics().height() * 6)));
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    RunDialog(dialog, parent);
}

} // namespace mira
