#include "app/splash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "layout/text.h"

namespace mira {

TSplashForm::TSplashForm()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(520, 54);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    setPalette(pal);
    setEnabled(false);

    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(rect());

    auto *label = new TText(this);
    label->setGeometry(16, 9, 490, 35);
    label->setText(QStringLiteral("Mira Web Browser Loading ..."));
    QFont font(QStringLiteral("Algerian"));
    font.setStyleHint(QFont::Decorative);
    font.setPixelSize(32);
    label->setFont(font);
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, QColor(0x80, 0, 0)); // maroon
    label->setPalette(lp);

    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TSplashForm::ReleaseAfterShown(QWidget *window)
{
    // The main window taking over is the end of the splash; without a window manager
    // activation may never come, so a short delay after showing stands in for it.
    QTimer::singleShot(300, window, [this] { close(); });
}

} // namespace mira
