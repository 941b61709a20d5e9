#include "about/aboutform.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSysInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "about/aboutpictures.h"
#include "about/abouttexts.h"
#include "about/versionlist.h"
#include "dialogs/dialogmetrics.h"
#include "dialogs/messagebox.h"
#include "platform/shell.h"
#include "platform/versioninfo.h"

namespace mira {
namespace {

const QColor kMaroon(0x80, 0x00, 0x00);

void setPixelFont(QWidget *w, int pixels, bool bold = false)
{
    QFont f = w->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    w->setFont(f);
}

void setTextColor(QWidget *w, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    w->setPalette(pal);
}

// The box's lines; the second is its title, centred and bold.
void setBoxLines(QTextEdit *box, const QStringList &lines)
{
    box->setPlainText(lines.join(QLatin1Char('\n')));
    if (QTextBlock title = box->document()->findBlockByNumber(1); title.isValid()) {
        QTextCursor cursor(title);
        QTextBlockFormat centred = cursor.blockFormat();
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(bold);
    }
}

// A read-only text box on the info-tip background, hidden until its title is hovered.
QTextEdit *makeBox(QWidget *parent, const QRect &at, const QStringList &lines, bool scrolls)
{
    auto *box = new QTextEdit(parent);
    box->setReadOnly(true);
    box->setGeometry(at);
    box->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, QApplication::palette().color(QPalette::ToolTipText));
    box->setPalette(pal);
    setBoxLines(box, lines);
    box->hide();
    return box;
}

// The small red circle beside the home link.
class RedDot : public QWidget {
public:
    RedDot(QWidget *parent, const QRect &at) : QWidget(parent)
    {
        setGeometry(at);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

QString languageName()
{
    // The version table is written in American English.
    return QLocale::languageToString(QLocale::English) + QStringLiteral(" (")
           + QLocale::territoryToString(QLocale::UnitedStates) + QLatin1Char(')');
}

QString systemName()
{
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty())
        kernel[0] = kernel.at(0).toUpper();
    return kernel;
}

} // namespace

AboutText::AboutText(const QString &text, QWidget *parent, int x, int y, int w, int h)
    : QLabel(text, parent)
{
    // Not filled, so it draws over the white dialog. Translucency is for windows: on a
    // child it also stops the background being painted at all, which leaves an opaque
    // label's area unpainted (black).
    setAutoFillBackground(false);
    if (w > 0 && h > 0) {
        setGeometry(x, y, w, h);
        setWordWrap(true);
    } else {
        move(x, y);
        adjustSize();
    }
}

void AboutText::enterEvent(QEnterEvent *event)
{
    Q_EMIT Entered();
    QLabel::enterEvent(event);
}

void AboutText::leaveEvent(QEvent *event)
{
    Q_EMIT Left();
    QLabel::leaveEvent(event);
}

void AboutText::mousePressEvent(QMouseEvent *event)
{
    if (Tag != 0 && event->button() == Qt::LeftButton) {
        Q_EMIT Clicked();
        event->accept();
        return;
    }
    if (!Plain) {
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event); // a plain label: the dialog hears it
}

TAboutForm::TAboutForm(QWidget *parent) : TAboutForm(platform::ProgramVersionTable(), parent) {}

TAboutForm::TAboutForm(const QList<QPair<QString, QString>> &table, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      OpenLink(platform::ShellOpen)
{
    setObjectName(QStringLiteral("AboutForm"));
    build();
    fill(table);
}

void TAboutForm::build()
{
    // Drawn for the design font; every place, size and pixel font grows with it.
    setFont(DesignFont(this));
    const qreal scale = DesignScale(font());
    const auto px = [scale](int design) { return Scaled(design, scale); };
    const auto at = [scale](int x, int y, int w, int h) {
        return Scaled(QRect(x, y, w, h), scale);
    };
    const auto text = [&px](const QString &caption, QWidget *parent, int x, int y, int w = 0,
                            int h = 0) {
        return new AboutText(caption, parent, px(x), px(y), px(w), px(h));
    };
    const auto pixelFont = [&px](QWidget *w, int pixels, bool bold = false) {
        setPixelFont(w, px(pixels), bold);
    };

    setFixedSize(px(362), px(540));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    txProductName = text(QStringLiteral("Mira"), this, 8, 8, 345, 36);
    txProductName->setAlignment(Qt::AlignCenter);
    pixelFont(txProductName, 32, true);
    txProductName->setFont([&] {
        QFont f = txProductName->font();
        f.setFamily(QStringLiteral("Serif"));
        f.setLetterSpacing(QFont::PercentageSpacing, 115);
        return f;
    }());
    setTextColor(txProductName, kMaroon);
    // The display face's lines may be higher than the place drawn for them.
    txProductName->resize(txProductName->width(),
                          std::max(txProductName->height(),
                                   QFontMetrics(txProductName->font()).height()));
    txVersion = text(QStringLiteral("Version 0.0"), this, 43, 48);
    txBuild = text(QStringLiteral("Build 0000"), this, 156, 48);
    txStatus = text(QStringLiteral("Freeware"), this, 276, 48);
    txStatus->setAutoFillBackground(true);

    auto *bevel = new QFrame(this);
    bevel->setGeometry(at(32, 71, 297, 297));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    imBackground = new QLabel(this);
    imBackground->setGeometry(at(40, 79, 280, 280));
    imBackground->setPixmap(AboutBackgroundPicture(px(280), px(280)));

    const QRect boxes = at(14, 71, 333, 297);
    meVersion = makeBox(this, boxes, {}, false);
    meMira = makeBox(this, boxes, AboutMiraText(), true);
    meHints = makeBox(this, boxes, HintsAndTipsText(), true);
    meIssues = makeBox(this, boxes, KnownIssuesText(), true);

    txVersionInfo = text(QStringLiteral("Version Info"), this, 32, 374);
    txMira = text(QStringLiteral("About MIRA"), this, 109, 374);
    txHints = text(QStringLiteral("Hints & Tips"), this, 187, 374);
    txIssues = text(QStringLiteral("Known Issues"), this, 264, 374);
    connectTitle(txVersionInfo, meVersion);
    connectTitle(txMira, meMira);
    connectTitle(txHints, meHints);
    connectTitle(txIssues, meIssues);

    imAuthor = new QLabel(this);
    imAuthor->setGeometry(at(16, 393, 105, 105));
    imAuthor->setPixmap(AboutAuthorPicture(px(105)));

    txIE = text(QStringLiteral("Qt WebEngine Chromium Version "), this, 130, 398, 120, 44);
    txWin = text(systemName() + QStringLiteral(" Version "), this, 130, 447, 120, 50);
    for (AboutText *small : {txIE, txWin})
        pixelFont(small, 10);

    txStarted = text(QString(), this, 264, 398, 95, 11);
    txContinued = text(QString(), this, 264, 409, 95, 11);
    txLocation = text(QString(), this, 264, 420, 95, 11);
    for (AboutText *small : {txStarted, txContinued, txLocation}) {
        pixelFont(small, 9);
        small->setWordWrap(false);
    }

    txSeeSign = text(QStringLiteral("\u261E"), this, 253, 439);
    pixelFont(txSeeSign, 16);
    txSeeSign->adjustSize();
    connect(txSeeSign, &AboutText::Entered, this, [this] { textMouseEnter(txSeeSign); });
    connect(txSeeSign, &AboutText::Left, this, [this] { textMouseLeave(txSeeSign); });
    txSeeSign->Plain = false;
    new RedDot(this, at(267, 475, 9, 9));
    txHome = text(QStringLiteral("Check For Updates On MIRA Web"), this, 262, 446, 69, 39);
    txHome->setAlignment(Qt::AlignRight | Qt::AlignTop);
    txHome->Tag = 1;
    connectLink(txHome);
    connect(txHome, &AboutText::Clicked, this,
            [this] { openLink(ShortHint(txHome->property("miraHint").toString())); });

    txMailSign = text(QStringLiteral("\u2709"), this, 17, 500);
    pixelFont(txMailSign, 20);
    txMailSign->adjustSize();
    txMail = text(QStringLiteral("E-mail to author"), this, 46, 510);
    txMail->Tag = 1;
    connectLink(txMail);
    connect(txMail, &AboutText::Clicked, this,
            [this] { openLink(LongHint(txMail->property("miraHint").toString())); });

    txCopyright = text(QString(), this, 232, 495, 120, 35);
    txCopyright->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pixelFont(txCopyright, 9);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("buOK"));
    ok->setGeometry(at(144, 506, 75, 25));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::openLink(const QString &address)
{
    if (!OpenLink || OpenLink(address))
        return;
    ShowMessageBox(this,
                   QStringLiteral("No program of this desktop opens\n") + address
                       + QStringLiteral("\n\nOpen it in a browser or mail program by hand."),
                   QStringLiteral("Link Failure"), MsgType::Warning, mbOK);
}

void TAboutForm::fill(const QList<QPair<QString, QString>> &table)
{
    const VersionInfo info = ReadVersionInfo(table, QCoreApplication::applicationFilePath(),
                                             languageName());
    setBoxLines(meVersion, info.lines);
    if (!table.isEmpty()) {
        txProductName->setText(info.productName);
        txVersion->setText(QStringLiteral("Version ") + info.version);
        txBuild->setText(QStringLiteral("Build ") + info.build);
        txCopyright->setText(QStringLiteral("Copyright ") + info.copyright
                             + QStringLiteral("\nBuilt with Qt ")
                             + QString::fromLatin1(qVersion()));
        txStarted->setText(info.started + QStringLiteral(" -"));
        txContinued->setText(info.continued);
        txLocation->setText(info.location);
        for (AboutText *t : {txVersion, txBuild})
            t->adjustSize();
    }
    txHome->setProperty("miraHint", info.homePage);
    txHome->setToolTip(info.homePage);
    const QString mailHint = info.mail + QStringLiteral("|mailto:") + info.mail;
    txMail->setProperty("miraHint", mailHint);
    txMail->setToolTip(ShortHint(mailHint));
    txMail->setStatusTip(LongHint(mailHint));

    txIE->setText(txIE->text() + platform::EngineVersion());
    txWin->setText(txWin->text() + platform::OperatingSystemVersion());
    setWindowTitle(QStringLiteral("About ") + QStringLiteral("Mira"));
}

void TAboutForm::HideBoxes()
{
    for (QTextEdit *box : {meVersion, meMira, meHints, meIssues})
        box->hide();
}

void TAboutForm::textMouseEnter(AboutText *label)
{
    label->setCursor(Qt::PointingHandCursor);
    setTextColor(label, Qt::blue);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    if (label->Tag != 0)
        HideBoxes();
}

void TAboutForm::textMouseLeave(AboutText *label)
{
    label->unsetCursor();
    setTextColor(label, palette().color(QPalette::WindowText));
    QFont f = label->font();
    f.setUnderline(false);
    label->setFont(f);
}

void TAboutForm::connectTitle(AboutText *title, QTextEdit *box)
{
    connect(title, &AboutText::Entered, this, [this, title, box] {
        textMouseEnter(title);
        HideBoxes();
        box->show();
        box->raise();
    });
    connect(title, &AboutText::Left, this, [this, title] { textMouseLeave(title); });
    title->Plain = false;
}

void TAboutForm::connectLink(AboutText *link)
{
    connect(link, &AboutText::Entered, this, [this, link] { textMouseEnter(link); });
    connect(link, &AboutText::Left, this, [this, link] { textMouseLeave(link); });
    link->Plain = false;
}

void TAboutForm::mousePressEvent(QMouseEvent *event)
{
    HideBoxes();
    QDialog::mousePressEvent(event);
}

void ShowAboutBox(QWidget *mainWindow)
{
    TAboutForm form(mainWindow);
    form.adjustSize();
    CenterWindowOver(&form, mainWindow);
    RunDialog(form, mainWindow);
}

} // namespace mira
