#include "bookmarks/bookmarkedform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <qdrawutil.h>

#include "bookmarks/refreshperiod.h"
#include "bookmarks/urls.h"
#include "dialogs/dialogmetrics.h"

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

QLabel *label(QWidget *parent, const QString &text, const QString &hint)
{
    auto *l = new QLabel(text, parent);
    setHint(l, hint);
    return l;
}

QLineEdit *edit(QWidget *parent, int minimumWidth, int maxLength, const QString &hint)
{
    auto *e = new QLineEdit(parent);
    e->setMinimumWidth(minimumWidth);
    e->setMaxLength(maxLength);
    setHint(e, hint);
    return e;
}

QCheckBox *checkBox(QWidget *parent, const QString &text, const QString &hint)
{
    auto *c = new QCheckBox(text, parent);
    setHint(c, hint);
    return c;
}

QPushButton *button(QWidget *parent, const QString &text, QSize least)
{
    auto *b = new QPushButton(text, parent);
    b->setMinimumSize(b->sizeHint().expandedTo(least));
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
    setFont(DesignFont(box ? box : this));
    const qreal scale = DesignScale(font());
    const auto px = [scale](int design) { return Scaled(design, scale); };

    const QString nameHint = QStringLiteral("Document Name");
    const QString addressHint = QStringLiteral("Document location address");
    const QString xHint = QStringLiteral("Horizontal scroll bar position");
    const QString yHint = QStringLiteral("Vertical scroll bar position");

    // Name over address on the left; beside the name the column of switches, the
    // scroll position panel and the buttons; the address across the whole width;
    // the timed reload's period on a row of its own under it.
    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(px(8), px(5), px(9), px(9));
    grid->setHorizontalSpacing(px(8));
    grid->setVerticalSpacing(px(4));
    grid->setColumnMinimumWidth(1, px(121));
    grid->setColumnStretch(0, 1);

    txName = label(this, QStringLiteral("Name"), nameHint);
    grid->addWidget(txName, 0, 0, Qt::AlignBottom);
    edName = edit(this, px(161), 25, nameHint);
    grid->addWidget(edName, 1, 0, Qt::AlignTop);
    txAddress = label(this, QStringLiteral("Location Address"), addressHint);
    grid->addWidget(txAddress, 2, 0, Qt::AlignBottom);
    edAddress = edit(this, px(569), TURL::MaxAddressLength, addressHint);
    grid->addWidget(edAddress, 3, 0, 1, 4);

    cbRefresh = checkBox(this, QStringLiteral("Allow Global Refresh"),
                         QStringLiteral(
                             "Allow location reloading on Go All and Refresh All commands"));
    cbRefresh->setChecked(true);
    grid->addWidget(cbRefresh, 0, 1, Qt::AlignBottom);
    cbNoScroll = checkBox(this, QStringLiteral("Hide Scroll Bars"),
                          QStringLiteral("Hide scrolling bars after the location loaded"));
    grid->addWidget(cbNoScroll, 1, 1, Qt::AlignVCenter);

    paScrollPos = new BevelPanel(this);
    // Hiding the panel leaves its place empty rather than moving the buttons.
    QSizePolicy keepPlace = paScrollPos->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    paScrollPos->setSizePolicy(keepPlace);
    auto *panel = new QGridLayout(paScrollPos);
    panel->setContentsMargins(px(6), px(5), px(6), px(5));
    panel->setHorizontalSpacing(px(6));
    panel->setVerticalSpacing(px(4));
    txScroll = label(paScrollPos, QStringLiteral("Scroll Positions"),
                     QStringLiteral("Positions to scroll after the document loaded"));
    panel->addWidget(txScroll, 0, 0, 1, 4, Qt::AlignHCenter);
    txScrollX = label(paScrollPos, QStringLiteral("X"), xHint);
    panel->addWidget(txScrollX, 1, 0);
    edScrollX = edit(paScrollPos, px(33), kScrollDigits, xHint);
    panel->addWidget(edScrollX, 1, 1);
    txScrollY = label(paScrollPos, QStringLiteral("Y"), yHint);
    panel->addWidget(txScrollY, 1, 2);
    edScrollY = edit(paScrollPos, px(33), kScrollDigits, yHint);
    panel->addWidget(edScrollY, 1, 3);
    // Four digits, and no wider: the panel stays the small box beside the switches.
    for (QLineEdit *field : {edScrollX, edScrollY})
        field->setFixedWidth(
            std::max(px(33),
                     field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + px(8)));
    btnDefaultPos = button(paScrollPos, QStringLiteral("Default"), {px(75), px(21)});
    panel->addWidget(btnDefaultPos, 2, 0, 1, 4, Qt::AlignHCenter);
    setHint(btnDefaultPos, QStringLiteral("Set default scroll bar positions"));
    btnDefaultPos->setFocusPolicy(Qt::ClickFocus);
    grid->addWidget(paScrollPos, 0, 2, 3, 1);

    btnOK = button(this, QStringLiteral("OK"), {px(75), px(23)});
    btnCancel = button(this, QStringLiteral("Cancel"), {px(75), px(23)});
    const QSize buttonSize = btnOK->minimumSize().expandedTo(btnCancel->minimumSize());
    auto *buttons = new QVBoxLayout;
    buttons->setContentsMargins(px(23), px(11), px(23), 0);
    buttons->setSpacing(px(17));
    for (QPushButton *b : {btnOK, btnCancel}) {
        b->setFixedSize(buttonSize);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 3, 3, 1);

    const QString periodHint = QStringLiteral(
        "Seconds after which a pane showing this bookmark reloads it by itself (0: never)");
    auto *period = new QHBoxLayout;
    period->setSpacing(px(6));
    txPeriod = label(this, QStringLiteral("Reload by itself every"), periodHint);
    period->addWidget(txPeriod);
    edPeriod = new QSpinBox(this);
    edPeriod->setRange(0, MaxEditorPeriod);
    edPeriod->setMinimumWidth(px(75));
    edPeriod->setToolTip(periodHint);
    edPeriod->setStatusTip(periodHint);
    period->addWidget(edPeriod);
    txSeconds = label(this, QStringLiteral("seconds (0: never)"), periodHint);
    period->addWidget(txSeconds);
    period->addStretch(1);
    grid->addLayout(period, 4, 0, 1, 4);

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
    grid->activate();
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
