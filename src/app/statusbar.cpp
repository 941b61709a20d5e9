#include "app/statusbar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "icons/images.h"

namespace mira {
namespace {

// An owner-drawn panel: a 21-pixel sunken box that paints through a function.
class DrawnPanel : public QWidget {
public:
    DrawnPanel(QWidget *parent, std::function<void(QPainter &, const QRect &)> painter)
        : QWidget(parent), draw(std::move(painter))
    {
        setFixedWidth(21);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        draw(p, rect());
    }

private:
    std::function<void(QPainter &, const QRect &)> draw;
};

} // namespace

MainStatusBar::MainStatusBar(TBaseForm *mainForm) : QStatusBar(mainForm), form(mainForm)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    online = new DrawnPanel(this, [this](QPainter &p, const QRect &r) {
        TAppControlModule *m = this->form->Module();
        const bool on = m && m->AllPanes().Online();
        p.drawPixmap(r.left() - 1, r.top() - 3 + (r.height() - 14) / 2, ImagePixmap(on ? 14 : 15));
    });
    mode = new DrawnPanel(this, [this](QPainter &p, const QRect &r) {
        const int tag = this->form->Tag();
        p.setPen(Qt::blue);
        if (tag & pfSilent) {
            // A smiling face, its inside filled with the tooltip colour.
            const QRectF face(r.left() + 2.5, r.top() + (r.height() - 15) / 2.0 + 0.5, 15, 15);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(palette().color(QPalette::ToolTipBase));
            p.drawEllipse(face);
            p.setBrush(Qt::blue);
            p.drawEllipse(QPointF(face.left() + 5, face.top() + 5.5), 1.1, 1.1);
            p.drawEllipse(QPointF(face.left() + 10, face.top() + 5.5), 1.1, 1.1);
            p.setBrush(Qt::NoBrush);
            QPainterPath smile;
            smile.moveTo(face.left() + 4, face.top() + 9);
            smile.quadTo(face.center().x(), face.top() + 13, face.right() - 4, face.top() + 9);
            p.drawPath(smile);
        } else {
            QFont f = font();
            f.setBold(true);
            p.setFont(f);
            const bool interactive = tag & pfInteractive;
            const QString glyph = interactive ? QStringLiteral("i") : QStringLiteral("M");
            const QRect box(r.left() + (interactive ? 8 : 5), r.top(), r.width(), r.height());
            p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, glyph);
        }
    });
    text = new QLabel(this);
    text->setObjectName(QStringLiteral("StatusText"));
    text->setMinimumWidth(50);
    addWidget(online);
    addWidget(mode);
    addWidget(text, 1);
}

void MainStatusBar::SetPanelText(const QString &value)
{
    text->setText(value);
    Q_EMIT PanelTextChanged(value);
}

QString MainStatusBar::PanelText() const
{
    return text->text();
}

void MainStatusBar::RepaintPanels()
{
    online->update();
    mode->update();
}

QWidget *MainStatusBar::Panel(int index) const
{
    switch (index) {
    case 0: return online;
    case 1: return mode;
    case 2: return text;
    default: return nullptr;
    }
}

void MainStatusBar::contextMenuEvent(QContextMenuEvent *event)
{
    if (TAppControlModule *m = form->Module(); m)
        m->Menus().StatusPopup()->popup(event->globalPos());
}

} // namespace mira
