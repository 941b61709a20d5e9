#pragma once
// What reading and writing a set need of the window its layout lives in: where the
// layout goes, who owns it, and the window's own stored values. The main window is
// one; a checker builds sets into a bare one.
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace mira {

// The window's own properties as a set stores them. Read from a file, a value that
// was not there stays empty; from a window, every value is there.
struct FormValues {
    std::optional<int> tag;
    QRect bounds;
    std::optional<QString> borderStyle;
    std::optional<QString> windowState;
    std::optional<QString> key;
    std::optional<int> pixelsPerInch;
    std::optional<int> textHeight;
};

class SetForm {
public:
    virtual ~SetForm() = default;
    // The owner of every component a set creates.
    virtual QObject *layoutOwner() = 0;
    // The widget whose aligned children are the set's top-level components.
    virtual QWidget *layoutArea() const = 0;
    // The area's size in the window the set describes (not full screen).
    virtual QSize storedLayoutSize() const = 0;
    // Every value; a set that lacks one of the bounds keeps the window's.
    virtual FormValues storedValues() const = 0;
    // Applies the values read from a set, once its layout is built.
    virtual void applyValues(const FormValues &values) = 0;
    // The height of the design font now: a set saved with another keeps its proportions.
    virtual int textHeight() const = 0;
    // The flags are read and no component is built yet.
    virtual void flagsRead(int /*tag*/) {}
};

} // namespace mira
