#pragma once
// The program's one message box and one-line input box; every message and prompt
// of the program goes through them.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "dialogs/modal.h"

class QWidget;

namespace mira {

ModalResult ShowMessageBox(QWidget *owner, const QString &text, const QString &caption,
                           MsgType type, MsgButtons buttons);

// The modal runner's record of a message box: its text, caption, type, buttons and owner.
ModalRecord MessageBoxRecord(QDialog *box, QWidget *owner, const QString &text, MsgType type,
                             MsgButtons buttons);

bool ShowInputBox(QWidget *owner, int width, int height, int maxLength, QString &text,
                  const QString &prompt, const QString &caption);

// The desktop work area that boxes are kept inside; read once at start (tests set it).
QRect WorkArea();
void SetWorkArea(const QRect &area);

// Shows "Sorry, not imlemented yet." over the given main window.
void NotImplemented(QWidget *mainWindow);

// Moves a top-level window so it is centred over the form (or the work area),
// without resizing, activating it or changing its z-order.
void CenterWindowOver(QWidget *window, QWidget *form);

// Where a box of the given frame size goes. ownerKind: none (screen centre), a
// form (centred over its frame) or a control (under it, or above it when there is
// no room below). Negative coordinates become 0.
enum class OwnerKind { None, Form, Control };
QPoint PlaceBox(QSize box, OwnerKind kind, QRect ownerFrame, QPoint controlOrigin,
                int controlHeight, QRect workArea, QRect screen);

// The minimum input box size rules.
QSize InputBoxSize(int width, int height, bool hasPrompt);

// Short and long parts of a two-part hint "short|long"; a hint without "|" is both.
QString ShortHint(const QString &hint);
QString LongHint(const QString &hint);

} // namespace mira
