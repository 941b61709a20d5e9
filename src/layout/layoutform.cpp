#include "layout/layoutform.h"

#include <QFontMetrics>
#include <QScreen>

#include "dialogs/dialogmetrics.h"

namespace mira {

LayoutForm::LayoutForm() : area(new QWidget(this))
{
    // The main window's font: a set keeps its proportions only at the height it was saved with.
    setFont(DesignFont(this));
    values.tag = 0;
    values.bounds = QRect(QPoint(0, 0), size());
    values.borderStyle = QStringLiteral("bsSizeable");
    values.windowState = QStringLiteral("wsNormal");
    values.key = QString();
    values.pixelsPerInch = screen() ? qRound(screen()->logicalDotsPerInchY()) : 96;
    values.textHeight = textHeight();
}

QSize LayoutForm::storedLayoutSize() const
{
    return area->size();
}

void LayoutForm::applyValues(const FormValues &read)
{
    const FormValues was = values;
    values = read;
    values.tag = read.tag.value_or(*was.tag);
    values.borderStyle = read.borderStyle.value_or(*was.borderStyle);
    values.windowState = read.windowState.value_or(*was.windowState);
    values.key = read.key.value_or(*was.key);
    // Written as this window would write them, as the main window does.
    values.pixelsPerInch = was.pixelsPerInch;
    values.textHeight = was.textHeight;
}

int LayoutForm::textHeight() const
{
    return QFontMetrics(font()).height();
}

} // namespace mira
