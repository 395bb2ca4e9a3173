#pragma once

#include "plots/PlotLayouts.h"

#include <QWidget>

#include <optional>

namespace vxo {

// What every plot widget shares: a passive widget whose paintEvent paints its
// whole rectangle from stored data (so the toolkit fills no background first)
// and that asks for no minimum size, leaving its extent to the panel's layout.
// A two-panel plot (splitLayout) asks for the height its panels need at the
// width it is given: a wide one lays them side by side and needs less.
class PlotWidget : public QWidget {
public:
    explicit PlotWidget(QWidget* parent);

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    // The height at which a two-panel plot stacks its panels, as it prefers
    // to where it is given the height; 0 for any other plot.
    int stackedHeight() const;

protected:
    // Stores value as the plot's copy of what its paint reads, reusing the
    // copy's storage, and repaints: what every setter of a plot's data does.
    template <typename T>
    void keep(T& copy, const T& value)
    {
        copy = value;
        update();
    }

    // The layout of a two-panel plot; none for any other.
    virtual std::optional<plot::SplitLayout> splitLayout() const { return std::nullopt; }
    // The layout at the given width, for a plot whose captions under panels
    // side by side take the lines that width leaves them (such a plot needs
    // override only this); splitLayout() for any other.
    virtual std::optional<plot::SplitLayout> splitLayoutAt(int) const { return splitLayout(); }
};

} // namespace vxo
