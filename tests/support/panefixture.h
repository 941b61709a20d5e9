#pragma once
// A fresh program whose web views all run on fake web controls, with helpers to
// make browser panes and reach their fakes.
#include <QList>
#include <QPointer>

#include "platform/fakewebcontrol.h"
#include "support/programfixture.h"

namespace mira {
class TBrowser;
class TURLCombo;
} // namespace mira

namespace mira::test {

class PaneTest : public ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A pane owned by the main window, placed in its client area.
    TBrowser *newPane();
    static platform::FakeWebControl *fakeOf(TBrowser *pane);
    // Runs pending events (fake navigations end on a zero timer).
    static void settle();
    // Adds bookmarks (name, address) in order to the pane's list.
    static void addBookmarks(TBrowser *pane, const QList<QPair<QString, QString>> &bookmarks);
    static QStringList lines(TURLCombo *combo);
    // Addresses the pane's web view was sent to, in order.
    static QStringList navigated(TBrowser *pane);

    QList<QPointer<platform::FakeWebControl>> fakes;

private:
    platform::WebControlFactory previous;
};

} // namespace mira::test
