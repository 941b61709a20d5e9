#include "about/aboutform.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSysInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "about/aboutpictures.h"
#include "about/abouttexts.h"
#include "about/versionlist.h"
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
QTextEdit *makeBox(QWidget *parent, const QStringList &lines, bool scrolls)
{
    auto *box = new QTextEdit(parent);
    box->setReadOnly(true);
    box->setGeometry(14, 71, 333, 297);
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
    RedDot(QWidget *parent, int x, int y) : QWidget(parent)
    {
        setGeometry(x, y, 9, 9);
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

TAboutText::TAboutText(const QString &text, QWidget *parent, int x, int y, int w, int h)
    : QLabel(text, parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    if (w > 0 && h > 0) {
        setGeometry(x, y, w, h);
        setWordWrap(true);
    } else {
        move(x, y);
        adjustSize();
    }
}

void TAboutText::enterEvent(QEnterEvent *event)
{
    Q_EMIT Entered();
    QLabel::enterEvent(event);
}

void TAboutText::leaveEvent(QEvent *event)
{
    Q_EMIT Left();
    QLabel::leaveEvent(event);
}

void TAboutText::mousePressEvent(QMouseEvent *event)
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
    setFixedSize(362, 540);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    txProductName = new TAboutText(QStringLiteral("Mira"), this, 8, 8, 345, 36);
    txProductName->setAlignment(Qt::AlignCenter);
    setPixelFont(txProductName, 32, true);
    txProductName->setFont([&] {
        QFont f = txProductName->font();
        f.setFamily(QStringLiteral("Serif"));
        f.setLetterSpacing(QFont::PercentageSpacing, 115);
        return f;
    }());
    setTextColor(txProductName, kMaroon);
    txVersion = new TAboutText(QStringLiteral("Version 0.0"), this, 43, 48);
    txBuild = new TAboutText(QStringLiteral("Build 0000"), this, 156, 48);
    txStatus = new TAboutText(QStringLiteral("Freeware"), this, 276, 48);
    txStatus->setAttribute(Qt::WA_TranslucentBackground, false);
    txStatus->setAutoFillBackground(true);

    auto *bevel = new QFrame(this);
    bevel->setGeometry(32, 71, 297, 297);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    imBackground = new QLabel(this);
    imBackground->setGeometry(40, 79, 280, 280);
    imBackground->setPixmap(AboutBackgroundPicture(280, 280));

    meVersion = makeBox(this, {}, false);
    meMira = makeBox(this, AboutMiraText(), true);
    meHints = makeBox(this, HintsAndTipsText(), true);
    meIssues = makeBox(this, KnownIssuesText(), true);

    txVersionInfo = new TAboutText(QStringLiteral("Version Info"), this, 32, 374);
    txMira = new TAboutText(QStringLiteral("About MIRA"), this, 109, 374);
    txHints = new TAboutText(QStringLiteral("Hints & Tips"), this, 187, 374);
    txIssues = new TAboutText(QStringLiteral("Known Issues"), this, 264, 374);
    connectTitle(txVersionInfo, meVersion);
    connectTitle(txMira, meMira);
    connectTitle(txHints, meHints);
    connectTitle(txIssues, meIssues);

    imAuthor = new QLabel(this);
    imAuthor->setGeometry(16, 393, 105, 105);
    imAuthor->setPixmap(AboutAuthorPicture(105));

    txIE = new TAboutText(QStringLiteral("Qt WebEngine Chromium Version "), this, 130, 398, 120,
                          44);
    txWin = new TAboutText(systemName() + QStringLiteral(" Version "), this, 130, 447, 120, 50);
    for (TAboutText *small : {txIE, txWin})
        setPixelFont(small, 10);

    txStarted = new TAboutText(QString(), this, 264, 398, 95, 11);
    txContinued = new TAboutText(QString(), this, 264, 409, 95, 11);
    txLocation = new TAboutText(QString(), this, 264, 420, 95, 11);
    for (TAboutText *small : {txStarted, txContinued, txLocation}) {
        setPixelFont(small, 9);
        small->setWordWrap(false);
    }

    txSeeSign = new TAboutText(QStringLiteral("\u261E"), this, 253, 439);
    setPixelFont(txSeeSign, 16);
    txSeeSign->adjustSize();
    connect(txSeeSign, &TAboutText::Entered, this, [this] { textMouseEnter(txSeeSign); });
    connect(txSeeSign, &TAboutText::Left, this, [this] { textMouseLeave(txSeeSign); });
    txSeeSign->Plain = false;
    new RedDot(this, 267, 475);
    txHome = new TAboutText(QStringLiteral("Check For Updates On MIRA Web"), this, 262, 446, 69,
                            39);
    txHome->setAlignment(Qt::AlignRight | Qt::AlignTop);
    txHome->Tag = 1;
    connectLink(txHome);
    connect(txHome, &TAboutText::Clicked, this, [this] {
        if (OpenLink)
            OpenLink(ShortHint(txHome->property("miraHint").toString()));
    });

    txMailSign = new TAboutText(QStringLiteral("\u2709"), this, 17, 500);
    setPixelFont(txMailSign, 20);
    txMailSign->adjustSize();
    txMail = new TAboutText(QStringLiteral("E-mail to author"), this, 46, 510);
    txMail->Tag = 1;
    connectLink(txMail);
    connect(txMail, &TAboutText::Clicked, this, [this] {
        if (OpenLink)
            OpenLink(LongHint(txMail->property("miraHint").toString()));
    });

    txCopyright = new TAboutText(QString(), this, 232, 495, 120, 35);
    txCopyright->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setPixelFont(txCopyright, 9);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("buOK"));
    ok->setGeometry(144, 506, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
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
        for (TAboutText *t : {txVersion, txBuild})
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

void TAboutForm::textMouseEnter(TAboutText *label)
{
    label->setCursor(Qt::PointingHandCursor);
    setTextColor(label, Qt::blue);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    if (label->Tag != 0)
        HideBoxes();
}

void TAboutForm::textMouseLeave(TAboutText *label)
{
    label->unsetCursor();
    setTextColor(label, palette().color(QPalette::WindowText));
    QFont f = label->font();
    f.setUnderline(false);
    label->setFont(f);
}

void TAboutForm::connectTitle(TAboutText *title, QTextEdit *box)
{
    connect(title, &TAboutText::Entered, this, [this, title, box] {
        textMouseEnter(title);
        HideBoxes();
        box->show();
        box->raise();
    });
    connect(title, &TAboutText::Left, this, [this, title] { textMouseLeave(title); });
    title->Plain = false;
}

void TAboutForm::connectLink(TAboutText *link)
{
    connect(link, &TAboutText::Entered, this, [this, link] { textMouseEnter(link); });
    connect(link, &TAboutText::Left, this, [this, link] { textMouseLeave(link); });
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
