#include "layout/book.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "layout/align.h"
#include "layout/pan.h"

namespace mira {

TPage::TPage(QObject *owner) : QWidget(nullptr), Component(owner)
{
    // Pages live inside their book only; they take part in no alignment.
    NotifyInserted(this);
}

TPage::~TPage()
{
    NotifyRemoved(this);
}

void TPage::SetCaption(const QString &text)
{
    caption = text;
    if (TBook *book = Book())
        book->setTabText(book->indexOf(this), text);
}

TBook *TPage::Book() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (auto *book = qobject_cast<TBook *>(w))
            return book;
    return nullptr;
}

int TPage::PageIndex() const
{
    TBook *book = Book();
    return book ? book->indexOf(const_cast<TPage *>(this)) : -1;
}

void TPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    AlignControls(this);
}

bool TPage::event(QEvent *event)
{
    HandleContainerEvent(this, event);
    return QWidget::event(event);
}

QString TabPositionName(TabSide p)
{
    switch (p) {
    case TabSide::tpTop: return QStringLiteral("tpTop");
    case TabSide::tpBottom: return QStringLiteral("tpBottom");
    case TabSide::tpLeft: return QStringLiteral("tpLeft");
    case TabSide::tpRight: return QStringLiteral("tpRight");
    }
    return {};
}

TBook::TBook(QObject *owner) : QTabWidget(qobject_cast<QWidget *>(owner)), Component(owner)
{
    StoreAlign(this, TAlign::alNone);
    resize(157, 80);
    setMinimumSize(157, 54);
    tabBar()->setAttribute(Qt::WA_Hover); // hot-tracking tabs
    setDocumentMode(false);
    if (qobject_cast<QWidget *>(owner)) {
        auto *page = new TPage(owner);
        AddPage(page);
        page->SetCaption(QStringLiteral("Page 1"));
    }
    NotifyInserted(this);
}

TBook::~TBook()
{
    NotifyRemoved(this);
}

TPage *TBook::Page(int index) const
{
    return qobject_cast<TPage *>(widget(index));
}

void TBook::AddPage(TPage *page)
{
    addTab(page, page->Caption());
    SyncPageSizes();
}

TabSide TBook::TabPosition() const
{
    switch (tabPosition()) {
    case QTabWidget::North: return TabSide::tpTop;
    case QTabWidget::South: return TabSide::tpBottom;
    case QTabWidget::West: return TabSide::tpLeft;
    case QTabWidget::East: return TabSide::tpRight;
    }
    return TabSide::tpTop;
}

void TBook::SetTabPosition(TabSide position)
{
    static const QTabWidget::TabPosition map[] = {QTabWidget::North, QTabWidget::South,
                                                  QTabWidget::West, QTabWidget::East};
    setTabPosition(map[int(position)]);
    SyncPageSizes();
}

void TBook::Loaded()
{
    if (count() > 1) {
        delete widget(0);
        // An index outside the pages leaves the first page shown.
        if (pendingActiveIndex >= 0 && pendingActiveIndex < count())
            setCurrentIndex(pendingActiveIndex);
        else
            setCurrentIndex(0);
    }
}

QRect TBook::DisplayRect() const
{
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}

void TBook::SyncPageSizes()
{
    const QSize area = DisplayRect().size();
    if (!area.isValid())
        return;
    for (int i = 0; i < count(); ++i)
        if (QWidget *page = widget(i); page && page->size() != area)
            page->resize(area);
}

void TBook::resizeEvent(QResizeEvent *event)
{
    QTabWidget::resizeEvent(event);
    SyncPageSizes();
}

void TBook::tabInserted(int index)
{
    QTabWidget::tabInserted(index);
    SyncPageSizes();
}

} // namespace mira
