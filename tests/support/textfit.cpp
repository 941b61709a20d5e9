#include "support/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace mira::test {
namespace {

// The text a button shows: "&&" is an ampersand, a single "&" marks the mnemonic.
QString shownButtonText(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}

// Widest line's advance and the lines' height, as a label draws unwrapped text.
QSize lineBlock(const QFontMetrics &fm, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return {width, int(lines.size()) * fm.height() + int(lines.size() - 1) * fm.leading()};
}

QString describe(const QWidget *w, const QString &text, const QString &why)
{
    return QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" '") + text
           + QStringLiteral("': ") + why;
}

QString sizes(QSize need, QSize room)
{
    return QStringLiteral("needs %1x%2, has %3x%4")
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

// Where in the control its text is drawn, in the parent's coordinates.
QRect textRect(const QWidget *w, const QRect &room, QSize need)
{
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto *label = qobject_cast<const QLabel *>(w))
        alignment = label->alignment();
    const QRect inControl = QStyle::alignedRect(w->layoutDirection(), alignment,
                                                need.boundedTo(room.size()), room);
    return inControl.translated(w->pos());
}

// A sibling drawn above the control over its text: anything but an unfilled label,
// which lets what is under it show.
const QWidget *coveringSibling(const QWidget *w, const QRect &text)
{
    const QWidget *parent = w->parentWidget();
    if (!parent)
        return nullptr;
    const QObjectList &siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(w)) + 1; i < siblings.size(); ++i) {
        const auto *s = qobject_cast<const QWidget *>(siblings.at(i));
        if (!s || s->isWindow() || !s->isVisibleTo(parent))
            continue;
        if (qobject_cast<const QLabel *>(s) && !s->autoFillBackground())
            continue;
        if (s->geometry().intersects(text))
            return s;
    }
    return nullptr;
}

} // namespace

QStringList ClippedTexts(QWidget *window)
{
    QStringList clipped;
    const auto controls = window->findChildren<QWidget *>();
    for (QWidget *w : controls) {
        if (!w->isVisibleTo(window))
            continue;
        const QFontMetrics fm(w->font());
        QString text;
        QRect room;
        QSize need;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            text = label->text();
            if (text.isEmpty() || !label->pixmap().isNull())
                continue;
            const int m = label->margin();
            room = label->contentsRect().adjusted(m, m, -m, -m);
            if (label->wordWrap()) {
                need = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                       int(Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop), text)
                           .size();
            } else {
                need = lineBlock(fm, text);
            }
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            text = shownButtonText(box->text());
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            need = {fm.horizontalAdvance(text), fm.height()};
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            text = shownButtonText(button->text());
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            if (button->autoDefault() || button->isDefault())
                option.features |= QStyleOptionButton::AutoDefaultButton;
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            need = {fm.horizontalAdvance(text), fm.height()};
        } else {
            continue;
        }
        if (need.width() > room.width() || need.height() > room.height())
            clipped << describe(w, text, sizes(need, room.size()));
        if (const QWidget *cover = coveringSibling(w, textRect(w, room, need)))
            clipped << describe(w, text,
                                QStringLiteral("covered by ")
                                    + QString::fromLatin1(cover->metaObject()->className()));
        // Nothing of the control may lie outside the widgets that hold it.
        for (QWidget *inner = w; inner != window && inner->parentWidget();
             inner = inner->parentWidget()) {
            const QRect mapped(w->mapTo(inner->parentWidget(), QPoint(0, 0)), w->size());
            if (!inner->parentWidget()->rect().contains(mapped)) {
                clipped << describe(w, text,
                                    QStringLiteral("reaches past ")
                                        + QString::fromLatin1(
                                            inner->parentWidget()->metaObject()->className()));
                break;
            }
        }
    }
    return clipped;
}

void SaveShot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("MIRA_DIALOG_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG");
}

} // namespace mira::test
