#include "bookmarks/bookmarkedform.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <algorithm>
#include <qdrawutil.h>

#include "bookmarks/refreshperiod.h"
#include "bookmarks/urls.h"

namespace mira {
namespace {

constexpr int kScrollDigits = 4;

// A panel with a lowered outer and a raised inner bevel.
class BevelPanel : public QFrame {
public:
    explicit BevelPanel(QWidget *parent) : QFrame(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        qDrawShadePanel(&p, rect(), palette(), true, 1);
        qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

void setHint(QWidget *w, const QString &hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

// A label sizes itself to its text, from the given size at least.
QLabel *label(QWidget *parent, const QRect &at, const QString &text, const QString &hint)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(at);
    l->resize(l->size().expandedTo(l->sizeHint()));
    setHint(l, hint);
    return l;
}

QLineEdit *edit(QWidget *parent, const QRect &at, int maxLength, const QString &hint)
{
    auto *e = new QLineEdit(parent);
    e->setGeometry(at);
    e->setMaxLength(maxLength);
    setHint(e, hint);
    return e;
}

QCheckBox *checkBox(QWidget *parent, const QRect &at, const QString &text, const QString &hint)
{
    auto *c = new QCheckBox(text, parent);
    c->setGeometry(at);
    setHint(c, hint);
    return c;
}

QPushButton *button(QWidget *parent, const QRect &at, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setGeometry(at);
    // Enter in the fields moves on; it never presses a button that lacks the focus.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// Digits only: no sign, no blanks.
bool readsAsPosition(const QString &text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int fieldNumber(const QLineEdit *field)
{
    bool ok = false;
    const int v = field->text().toInt(&ok);
    return ok ? v : 0;
}

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TBookmarkEdForm::TBookmarkEdForm(QWidget *box)
    : QDialog(box ? box->window() : nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
                                                 | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                 | Qt::WindowMinimizeButtonHint
                                                 | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("BookmarkEdForm"));
    setWindowTitle(QStringLiteral("Bookmark Editor"));
    QFont font(QStringLiteral("MS Sans Serif"));
    const qreal dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    font.setPixelSize(qRound(11 * dpi / 96.0));
    setFont(font);
    setFixedSize(586, 148);

    const QString nameHint = QStringLiteral("Document Name");
    const QString addressHint = QStringLiteral("Document location address");
    const QString xHint = QStringLiteral("Horizontal scroll bar position");
    const QString yHint = QStringLiteral("Vertical scroll bar position");

    txName = label(this, {8, 15, 28, 13}, QStringLiteral("Name"), nameHint);
    edName = edit(this, {8, 32, 161, 21}, 25, nameHint);
    txAddress = label(this, {8, 71, 82, 13}, QStringLiteral("Location Address"), addressHint);
    edAddress = edit(this, {8, 88, 569, 21}, TURL::MaxAddressLength, addressHint);
    // The column of switches beside the name, before the scroll position panel.
    cbRefresh = checkBox(this, {192, 19, 121, 17}, QStringLiteral("Allow Global Refresh"),
                         QStringLiteral(
                             "Allow location reloading on Go All and Refresh All commands"));
    cbRefresh->setChecked(true);
    // The timed reload's period, on a row of its own under the address.
    const QString periodHint = QStringLiteral(
        "Seconds after which a pane showing this bookmark reloads it by itself (0: never)");
    txPeriod = label(this, {8, 122, 110, 13}, QStringLiteral("Reload by itself every"), periodHint);
    edPeriod = new QSpinBox(this);
    edPeriod->setGeometry(122, 118, 75, 21);
    edPeriod->setRange(0, MaxEditorPeriod);
    edPeriod->setToolTip(periodHint);
    edPeriod->setStatusTip(periodHint);
    txSeconds = label(this, {203, 122, 120, 13}, QStringLiteral("seconds (0: never)"), periodHint);
    cbNoScroll = checkBox(this, {192, 51, 121, 17}, QStringLiteral("Hide Scroll Bars"),
                          QStringLiteral("Hide scrolling bars after the location loaded"));

    paScrollPos = new BevelPanel(this);
    paScrollPos->setGeometry(320, 5, 129, 77);
    txScroll = label(paScrollPos, {34, 7, 71, 13}, QStringLiteral("Scroll Positions"),
                     QStringLiteral("Positions to scroll after the document loaded"));
    txScrollX = label(paScrollPos, {6, 28, 7, 13}, QStringLiteral("X"), xHint);
    edScrollX = edit(paScrollPos, {20, 25, 33, 21}, kScrollDigits, xHint);
    txScrollY = label(paScrollPos, {70, 28, 7, 13}, QStringLiteral("Y"), yHint);
    edScrollY = edit(paScrollPos, {84, 25, 33, 21}, kScrollDigits, yHint);
    btnDefaultPos = button(paScrollPos, {32, 51, 75, 21}, QStringLiteral("Default"));
    setHint(btnDefaultPos, QStringLiteral("Set default scroll bar positions"));
    btnDefaultPos->setFocusPolicy(Qt::ClickFocus);

    btnOK = button(this, {480, 16, 75, 23}, QStringLiteral("OK"));
    btnCancel = button(this, {480, 56, 75, 23}, QStringLiteral("Cancel"));

    setTabOrder(edName, edAddress);
    setTabOrder(edAddress, cbRefresh);
    setTabOrder(cbRefresh, edPeriod);
    setTabOrder(edPeriod, cbNoScroll);
    setTabOrder(cbNoScroll, edScrollX);
    setTabOrder(edScrollX, edScrollY);
    setTabOrder(edScrollY, btnOK);
    setTabOrder(btnOK, btnCancel);

    for (QWidget *w :
         std::initializer_list<QWidget *>{edName, edAddress, cbRefresh, edPeriod, cbNoScroll,
                                          edScrollX, edScrollY, btnOK, btnCancel})
        w->installEventFilter(this);
    for (QLineEdit *field : {edScrollX, edScrollY})
        connect(field, &QLineEdit::textEdited, this, [field] { edScrollChange(field); });
    connect(btnDefaultPos, &QPushButton::clicked, this, [this] { btnDefaultPosClick(); });
    connect(cbNoScroll, &QCheckBox::toggled, this, [this] { cbNoScrollClick(); });
    // A bookmark Go All skips has no period either.
    connect(cbRefresh, &QCheckBox::toggled, edPeriod, &QWidget::setEnabled);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    // Escape, which the fields and switches pass on, ends the dialog as Cancel does.
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edName->setFocus();
}

void TBookmarkEdForm::Fill(const TURL &url)
{
    edName->setText(url.Name());
    edAddress->setText(url.Address());
    edScrollX->setText(QString::number(url.ScrollX()));
    edScrollY->setText(QString::number(url.ScrollY()));
    cbRefresh->setChecked(EditorAllowsGlobalRefresh(url.Refresh()));
    edPeriod->setValue(EditorPeriodField(url.Refresh()));
    edPeriod->setEnabled(cbRefresh->isChecked());
    cbNoScroll->setChecked(url.NoScroll());
    paScrollPos->setVisible(!cbNoScroll->isChecked());
}

bool TBookmarkEdForm::Store(TURL &url) const
{
    if (!url.EditNameAndAddress(edName->text(), edAddress->text()))
        return false;
    url.SetRefresh(EditorRefreshValue(cbRefresh->isChecked(), edPeriod->value()));
    if (cbNoScroll->isChecked()) {
        url.SetNoScroll(true);
    } else {
        url.SetScrollX(fieldNumber(edScrollX));
        url.SetScrollY(fieldNumber(edScrollY));
    }
    return true;
}

void TBookmarkEdForm::btnDefaultPosClick()
{
    edScrollX->setText(QStringLiteral("0"));
    edScrollY->setText(QStringLiteral("0"));
}

void TBookmarkEdForm::cbNoScrollClick()
{
    const bool show = !cbNoScroll->isChecked();
    const bool appearing = show && paScrollPos->isHidden();
    paScrollPos->setVisible(show);
    // Hidden bars are stored as X = -1: a position shown again starts from the top.
    if (appearing && edScrollX->text() == QLatin1String("-1"))
        btnDefaultPosClick();
}

void TBookmarkEdForm::edScrollChange(QLineEdit *field)
{
    if (!readsAsPosition(field->text()))
        field->undo();
}

bool TBookmarkEdForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
        // A button with the focus is pressed; anywhere else Enter moves on.
        if (auto *b = qobject_cast<QPushButton *>(watched))
            b->click();
        else
            focusNextChild();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QPoint PlaceBookmarkEditor(QSize form, QRect boxRect, QRect workArea)
{
    int left = boxRect.left();
    int top = boxRect.top() + boxRect.height();
    if (left + form.width() > workArea.width())
        left = workArea.width() - form.width();
    if (top + form.height() > workArea.height())
        top = boxRect.top() - form.height();
    return {std::max(left, 0), std::max(top, 0)};
}

} // namespace mira
