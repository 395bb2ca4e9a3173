#include "plots/PlotWidget.h"

namespace vxo {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(false); }

QSize PlotWidget::minimumSizeHint() const { return QSize(0, 0); }

} // namespace vxo
