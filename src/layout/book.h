#pragma once
#include <QTabWidget>

#include "layout/component.h"

namespace mira {

class TBook;

// A page of a book: a container whose size is always its book's page area.
class TPage : public QWidget, public Component {
    Q_OBJECT
public:
    explicit TPage(QObject *owner);
    ~TPage() override;
    QString ClassName() const override { return QStringLiteral("TPage"); }

    QString Caption() const { return caption; }
    void SetCaption(const QString &text);
    TBook *Book() const;
    int PageIndex() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    QString caption;
};

enum class TabSide { tpTop, tpBottom, tpLeft, tpRight };
QString TabPositionName(TabSide p);

// A tabbed book of pages. A new book starts with one page, "Page 1"; after reading
// a set that gave it pages, that first page is dropped.
class TBook : public QTabWidget, public Component {
    Q_OBJECT
public:
    explicit TBook(QObject *owner);
    ~TBook() override;
    QString ClassName() const override { return QStringLiteral("TBook"); }

    int PageCount() const { return count(); }
    TPage *Page(int index) const;
    void AddPage(TPage *page);
    int ActivePageIndex() const { return currentIndex(); }
    void SetActivePageIndex(int index) { setCurrentIndex(index); }

    TabSide TabPosition() const;
    void SetTabPosition(TabSide position);

    // "ActiveIndex" read from a set, applied once loading ends.
    void SetPendingActiveIndex(int index) { pendingActiveIndex = index; }
    int PendingActiveIndex() const { return pendingActiveIndex; }
    void Loaded() override;

    // The page area: the book's client area less the tab row.
    QRect DisplayRect() const;
    void SyncPageSizes();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void tabInserted(int index) override;

private:
    int pendingActiveIndex = 0;
};

} // namespace mira
