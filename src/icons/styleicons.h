#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace mira {

// The application's style, handing out the tool bar extension icons it has drawn once.
// Every tool bar asks for one as it is made, and the style draws it afresh each time:
// a large wall paid that for each of its panes.
class KeptIconsStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit KeptIconsStyle(QStyle *base); // takes the base style over
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> kept;
};

// Puts the application's style (as chosen by default or by -style) in a KeptIconsStyle,
// once; a style the factory cannot make again is left as it is.
void KeepStyleIcons();

} // namespace mira
