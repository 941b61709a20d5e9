// Makes the README's picture of a layout built through the design popup: three panes
// and a book of two pages, showing the welcome page and pages cut from it. Disabled: it
// checks nothing a test elsewhere does not; scripts/design-screenshot runs it.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSet>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "bookmarks/urls.h"
#include "browser/browser.h"
#include "browser/mwebbrowser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/pan.h"
#include "layout/split.h"
#include "platform/webcontrol.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;

namespace {

QString resourceText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class DesignShot : public test::ProgramTest {
protected:
    // A right click at local on control and a choice from the design popup.
    void choose(QWidget *control, QPoint local, QAction *action)
    {
        module()->SetLastControl(control, control->mapToGlobal(local));
        Q_EMIT module()->Menus().DesignPopup()->aboutToShow();
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        const int asked = int(modal.asked.size());
        action->trigger();
        QCoreApplication::processEvents();
        // Only the page commands ask; any other question is a refusal.
        for (int i = asked; i < modal.asked.size(); ++i)
            ASSERT_TRUE(modal.asked[i].caption.endsWith(QLatin1String(" Page")))
                << modal.asked[i].caption.toStdString() << ": "
                << modal.asked[i].text.toStdString();
    }
    // Drags the splitter beside control until the control it resizes (control or its
    // neighbour) has the given width or height.
    static void dragSplitter(QWidget *control, int size)
    {
        auto *split = control->parentWidget()->findChild<TSplit *>(QString(),
                                                                   Qt::FindDirectChildrenOnly);
        ASSERT_NE(split, nullptr);
        QWidget *resized = split->ResizedControl();
        ASSERT_NE(resized, nullptr);
        const TAlign a = split->Align();
        const bool across = a == TAlign::alLeft || a == TAlign::alRight;
        int delta = size - (across ? resized->width() : resized->height());
        if (a == TAlign::alRight || a == TAlign::alBottom)
            delta = -delta;
        split->DragBy(delta);
        QCoreApplication::processEvents();
    }
    // The one pane under top that is not in known.
    static TBrowser *newPane(QWidget *top, const QList<TBrowser *> &known)
    {
        for (TBrowser *p : top->findChildren<TBrowser *>())
            if (!known.contains(p))
                return p;
        return nullptr;
    }
    // A page of the welcome page's own style holding the section whose heading is title.
    QString sectionPage(const QString &title, const QString &lead)
    {
        const QString index = resourceText(QStringLiteral(":/mira/welcome/index.html"));
        const QString css = resourceText(QStringLiteral(":/mira/welcome/style.css"));
        QString section;
        for (const QString &part : index.split(QStringLiteral("<section>")))
            if (part.contains(QStringLiteral("<h2>") + title + QStringLiteral("</h2>")))
                section = part.left(part.indexOf(QStringLiteral("</section>")));
        section.remove(QStringLiteral("<h2>") + title + QStringLiteral("</h2>"));
        const QString html =
            QStringLiteral("<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>")
            + title + QStringLiteral("</title><style>") + css
            + QStringLiteral("</style></head><body><header><h1>") + title
            + QStringLiteral("</h1><p class=\"lead\">") + lead
            + QStringLiteral("</p></header><section>") + section
            + QStringLiteral("</section></body></html>");
        const QString path = folder() + title.toLower().replace(QLatin1Char(' '), QLatin1Char('-'))
                             + QStringLiteral(".html");
        writeFile(QFileInfo(path).fileName(), html.toUtf8());
        return QUrl::fromLocalFile(path).toString();
    }
    static void load(TBrowser *pane, const QString &name, const QString &address)
    {
        (void)pane->URLs()->Add()->SetNameAndAddress(name, address);
        pane->AddressCombo->setCurrentIndex(0);
        pane->GoClick(pane->GoButton);
    }
    static bool loaded(TBrowser *pane, const QString &address)
    {
        return pane->WebView->LocationURL() == address
               && pane->WebView->Control()
                          ->scripting()
                          ->evaluateScript(QStringLiteral("document.readyState"))
                          .toString()
                      == QLatin1String("complete");
    }
};

} // namespace

TEST_F(DesignShot, DISABLED_MakesTheReadmePicture)
{
    const QString out = qEnvironmentVariable("MIRA_SCREENSHOT", QDir::current().filePath(
                                                                    QStringLiteral("design.png")));
    ASSERT_FALSE(resourceText(QStringLiteral(":/mira/welcome/index.html")).isEmpty());
    start();
    ASSERT_TRUE(
        module()->File().Sets().CreateConfigFile(folder() + QStringLiteral("Design.set"), false));
    form()->resize(1024, 700);
    form()->show();
    ASSERT_TRUE(test::waitUntil([&] { return form()->isVisible(); }));
    TPan *root = form()->RootContainer();
    ASSERT_NE(root, nullptr);
    QWidget *top = form();

    // A pane fills the empty window; a book goes above it (a click in the upper triangle
    // of its navigation bar), a pane into the book's page, and one more pane right of the
    // first (a click at the right end of its bar).
    choose(root, QPoint(20, 20), module()->Action("BrowserNewAction"));
    TBrowser *welcome = newPane(top, {});
    ASSERT_NE(welcome, nullptr);
    choose(welcome->NaviBar, QPoint(welcome->NaviBar->width() / 2, 10),
           module()->Action("BookNewAction"));
    auto *book = top->findChild<TBook *>();
    ASSERT_NE(book, nullptr);
    // New controls come at their own small size: the splitter gives the book its room.
    dragSplitter(book, 330);
    choose(book->Page(0), QPoint(20, 20), module()->Action("BrowserNewAction"));
    TBrowser *design = newPane(top, {welcome});
    ASSERT_NE(design, nullptr);
    choose(welcome->NaviBar, QPoint(welcome->NaviBar->width() - 3, 10),
           module()->Action("BrowserNewAction"));
    TBrowser *keys = newPane(top, {welcome, design});
    ASSERT_NE(keys, nullptr);
    dragSplitter(keys, (welcome->width() + keys->width()) / 2);

    // The book's pages: the first renamed, a second one added.
    modal.answerText(QStringLiteral("Design"));
    choose(book, QPoint(10, 10), module()->Action("PageRenameAction"));
    modal.answerText(QStringLiteral("Notes"));
    choose(book, QPoint(10, 10), module()->Action("PageNewAction"));
    book->SetActivePageIndex(0);
    ASSERT_EQ(book->PageCount(), 2);

    const QString welcomeUrl = QStringLiteral("qrc:/mira/welcome/index.html");
    const QString designUrl = sectionPage(QStringLiteral("Designing your own layout"),
                                          QStringLiteral(
                                              "Right-click the layout to add panes and books."));
    const QString keysUrl = sectionPage(QStringLiteral("Keys for all panes"),
                                        QStringLiteral("One key acts on every pane."));
    load(welcome, QStringLiteral("Welcome to Mira"), welcomeUrl);
    load(design, QStringLiteral("Layout design"), designUrl);
    load(keys, QStringLiteral("Keys"), keysUrl);
    ASSERT_TRUE(test::waitUntil(
        [&] {
            return loaded(welcome, welcomeUrl) && loaded(design, designUrl)
                   && loaded(keys, keysUrl);
        },
        30000));

    // The engine paints a moment after loading: wait until every pane shows more than
    // its background.
    auto painted = [&] {
        const QImage shot = form()->grab().toImage();
        for (TBrowser *pane : {welcome, design, keys}) {
            const QRect r(pane->WebView->mapTo(form(), QPoint(0, 0)), pane->WebView->size());
            const QImage part = shot.copy(r);
            QSet<QRgb> colors;
            for (int y = 0; y < part.height(); y += 4)
                for (int x = 0; x < part.width(); x += 4)
                    colors.insert(part.pixel(x, y));
            if (colors.size() < 8)
                return false;
        }
        return true;
    };
    ASSERT_TRUE(test::waitUntil(painted, 30000));
    ASSERT_TRUE(form()->grab().save(out)) << out.toStdString();
    std::printf("wrote %s\n", qPrintable(out));
}
