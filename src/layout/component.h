#pragma once
// Ownership half of the component model. A layout component's owner is the object
// that destroys it and to which it reports its coming and going (the main window
// for every part of the layout tree); its Qt parent is where it is shown.
#include <QPointer>
#include <QString>

class QObject;
class QWidget;

namespace mira {

// Told by components about their insertion into and removal from an owner.
class ComponentOwner {
public:
    virtual ~ComponentOwner() = default;
    virtual void ComponentInserted(QWidget *component) = 0;
    virtual void ComponentRemoved(QWidget *component) = 0;
};

class Component {
public:
    virtual ~Component() = default;
    QObject *Owner() const { return ownerObject; }
    virtual QString ClassName() const = 0;
    // Runs once after a set file has been read (the after-loading step).
    virtual void Loaded() {}

protected:
    explicit Component(QObject *owner) : ownerObject(owner) {}
    // The most derived constructor and destructor call these, so the owner sees
    // a complete component.
    void NotifyInserted(QWidget *self);
    void NotifyRemoved(QWidget *self);

private:
    QPointer<QObject> ownerObject;
};

// While a guard lives, a set file is being read into the tree.
class ReadingGuard {
public:
    ReadingGuard();
    ~ReadingGuard();
    ReadingGuard(const ReadingGuard &) = delete;
    ReadingGuard &operator=(const ReadingGuard &) = delete;
};
bool IsReadingSet();

// Marks a widget that is not a layout component as a control of its own for the
// program's message filter (a pane's navigation bar, address box and web view).
void MarkControl(QWidget *w);
// The control a mouse press on w belongs to: the first of w and its ancestors that
// is a layout component or a marked control, splitters passed over (they count as
// their container's surface); nullptr when there is none.
QWidget *ControlOf(QWidget *w);

Component *AsComponent(QObject *o);
// True when o is a layout component owned by owner.
bool IsOwnedBy(QObject *o, QObject *owner);

} // namespace mira
