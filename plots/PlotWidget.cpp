#include "plots/PlotWidget.h"

#include <algorithm>

namespace vxo {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(false); }

QSize PlotWidget::minimumSizeHint() const { return QSize(0, 0); }

bool PlotWidget::hasHeightForWidth() const { return splitLayoutAt(width()).has_value(); }

int PlotWidget::heightForWidth(int width) const
{
    const std::optional<plot::SplitLayout> layout = splitLayoutAt(width);
    return layout ? std::max(minimumHeight(), plot::splitPageHeight(width, *layout)) : QWidget::heightForWidth(width);
}

int PlotWidget::stackedHeight() const
{
    const std::optional<plot::SplitLayout> layout = splitLayoutAt(width());
    return layout ? plot::stackedHeight(*layout) : 0;
}

} // namespace vxo
