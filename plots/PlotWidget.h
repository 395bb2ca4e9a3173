#pragma once

#include <QWidget>

namespace vxo {

// What every plot widget shares: a passive widget whose paintEvent paints its
// whole rectangle from stored data (so the toolkit fills no background first)
// and that asks for no minimum size, leaving its extent to the panel's layout.
class PlotWidget : public QWidget {
public:
    explicit PlotWidget(QWidget* parent);

    QSize minimumSizeHint() const override;
};

} // namespace vxo
