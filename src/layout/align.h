#pragma once
// The alignment engine: aligned children of a container are placed in the order
// top, bottom, left, right, client; children of one alignment are stacked by
// position; minimum sizes are honoured.
#include <QList>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

namespace mira {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

QString AlignName(TAlign align);
std::optional<TAlign> AlignFromName(const QString &name);

TAlign AlignOf(const QWidget *w);
// Stores the alignment only; callers realign the parent when it should take effect.
void StoreAlign(QWidget *w, TAlign align);

// True for controls that own no window of their own in the layout model
// (splitters, labels): they are listed before the windowed ones.
bool IsGraphicControl(const QWidget *w);
void MarkGraphicControl(QWidget *w);

// Stamps the order in which a child became a child of its parent (raise() and
// lower() reorder Qt's own child list, this stamp does not change).
void StampInsertion(QWidget *child);

// Child controls of a container in control order: graphic controls first, then
// windowed ones, each in the order they became children. Only widgets taking part
// in the layout (those with an alignment property) are listed.
QList<QWidget *> ControlsOf(const QWidget *container);
QList<QWidget *> WindowedControlsOf(const QWidget *container);

// Places the aligned children of container inside its client rectangle.
void AlignControls(QWidget *container);

// While any guard lives, AlignControls does nothing (used while reading a set,
// and while a design change rebuilds part of the tree).
class AlignSuspender {
public:
    AlignSuspender();
    ~AlignSuspender();
    AlignSuspender(const AlignSuspender &) = delete;
    AlignSuspender &operator=(const AlignSuspender &) = delete;
    static bool active();
};

// While a lock on a container lives, AlignControls does nothing for that container
// alone; the last lock to go realigns it (a design change rebuilding its children).
class ContainerAlignLock {
public:
    explicit ContainerAlignLock(QWidget *container);
    ~ContainerAlignLock();
    ContainerAlignLock(const ContainerAlignLock &) = delete;
    ContainerAlignLock &operator=(const ContainerAlignLock &) = delete;
    static bool locked(const QWidget *container);

private:
    QPointer<QWidget> container; // the container may go while locked
};

// Makes child a child of parent and shows it (Qt hides reparented widgets).
void PutInto(QWidget *child, QWidget *parent);

// Realigns container and, top-down, every container below it.
void RealignTree(QWidget *container);

} // namespace mira
