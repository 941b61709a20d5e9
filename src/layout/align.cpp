#include "layout/align.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

#include "layout/alignrule.h"

namespace mira {
namespace {

const char kAlignProperty[] = "miraAlign";
const char kGraphicProperty[] = "miraGraphic";
const char kSeqProperty[] = "miraSeq";
const char kLockProperty[] = "miraAlignLocks";

int suspendCount = 0;
quint64 nextSeq = 1;

quint64 seqOf(const QWidget *w)
{
    return w->property(kSeqProperty).toULongLong();
}

} // namespace

QString AlignName(TAlign align)
{
    switch (align) {
    case TAlign::alNone: return QStringLiteral("alNone");
    case TAlign::alTop: return QStringLiteral("alTop");
    case TAlign::alBottom: return QStringLiteral("alBottom");
    case TAlign::alLeft: return QStringLiteral("alLeft");
    case TAlign::alRight: return QStringLiteral("alRight");
    case TAlign::alClient: return QStringLiteral("alClient");
    }
    return {};
}

std::optional<TAlign> AlignFromName(const QString &name)
{
    static const TAlign all[] = {TAlign::alNone, TAlign::alTop,   TAlign::alBottom,
                                 TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign a : all)
        if (AlignName(a).compare(name, Qt::CaseInsensitive) == 0)
            return a;
    return std::nullopt;
}

TAlign AlignOf(const QWidget *w)
{
    return TAlign(w->property(kAlignProperty).toInt());
}

void StoreAlign(QWidget *w, TAlign align)
{
    w->setProperty(kAlignProperty, int(align));
}

bool IsGraphicControl(const QWidget *w)
{
    return w->property(kGraphicProperty).toBool();
}

void MarkGraphicControl(QWidget *w)
{
    w->setProperty(kGraphicProperty, true);
}

void StampInsertion(QWidget *child)
{
    child->setProperty(kSeqProperty, nextSeq++);
}

QList<QWidget *> ControlsOf(const QWidget *container)
{
    QList<QWidget *> graphic;
    QList<QWidget *> windowed;
    for (QObject *o : container->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || !w->property(kAlignProperty).isValid())
            continue;
        (IsGraphicControl(w) ? graphic : windowed).append(w);
    }
    auto bySeq = [](const QWidget *a, const QWidget *b) { return seqOf(a) < seqOf(b); };
    std::stable_sort(graphic.begin(), graphic.end(), bySeq);
    std::stable_sort(windowed.begin(), windowed.end(), bySeq);
    return graphic + windowed;
}

QList<QWidget *> WindowedControlsOf(const QWidget *container)
{
    QList<QWidget *> result;
    for (QWidget *w : ControlsOf(container))
        if (!IsGraphicControl(w))
            result.append(w);
    return result;
}

void AlignControls(QWidget *container)
{
    if (suspendCount > 0 || !container || ContainerAlignLock::locked(container))
        return;
    const QList<QWidget *> controls = ControlsOf(container);
    QList<AlignItem> items;
    items.reserve(controls.size());
    for (const QWidget *c : controls)
        items.append(
            {AlignOf(c), c->geometry(), c->minimumSize(), c->maximumSize(), c->isHidden()});
    const QList<QRect> rects = AlignRects(container->contentsRect(), items);
    for (qsizetype i = 0; i < controls.size(); ++i)
        if (!items.at(i).hidden && items.at(i).align != TAlign::alNone)
            controls.at(i)->setGeometry(rects.at(i));
}

AlignSuspender::AlignSuspender()
{
    ++suspendCount;
}
AlignSuspender::~AlignSuspender()
{
    --suspendCount;
}
bool AlignSuspender::active()
{
    return suspendCount > 0;
}

ContainerAlignLock::ContainerAlignLock(QWidget *c) : container(c)
{
    if (container)
        container->setProperty(kLockProperty, container->property(kLockProperty).toInt() + 1);
}

ContainerAlignLock::~ContainerAlignLock()
{
    if (!container)
        return;
    const int count = container->property(kLockProperty).toInt() - 1;
    container->setProperty(kLockProperty, count > 0 ? QVariant(count) : QVariant());
    if (count <= 0)
        AlignControls(container);
}

bool ContainerAlignLock::locked(const QWidget *c)
{
    return c->property(kLockProperty).toInt() > 0;
}

void PutInto(QWidget *child, QWidget *parent)
{
    if (child->parentWidget() != parent) {
        child->setParent(parent);
        StampInsertion(child);
    }
    child->show();
}

void RealignTree(QWidget *container)
{
    if (!container)
        return;
    AlignControls(container);
    for (QObject *o : container->children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow())
            RealignTree(w);
}

} // namespace mira
