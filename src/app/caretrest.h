#pragma once
// A blinking caret repaints its window twice a second for as long as the window is
// active, and with engine views in the window each repaint composes them all again:
// an idle wall would never be idle. After a while without input the caret stops
// blinking (it stays shown) and blinks again at the next key or click.
#include <QObject>
#include <QTimer>

namespace mira {

class CaretRest : public QObject {
public:
    static constexpr int kRestAfterMs = 10000;

    // Watches the application's input; one per program.
    explicit CaretRest(QObject *parent, int restAfterMs = kRestAfterMs);
    ~CaretRest() override;

    bool resting() const { return isResting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rest();
    void wake();

    QTimer timer;
    int flashTime = 0; // the platform's own, given back at the next input
    bool isResting = false;
};

} // namespace mira
