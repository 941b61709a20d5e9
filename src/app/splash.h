#pragma once
#include <QWidget>

namespace mira {

// The window shown while the program starts; it releases itself once the main
// window is up.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();
    // Closes and deletes the splash once window has been shown.
    void ReleaseAfterShown(QWidget *window);
};

} // namespace mira
