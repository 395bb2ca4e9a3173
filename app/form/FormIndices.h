#pragma once

class QComboBox;

namespace vxo {

// The entries of the form's combo boxes whose index the window reads, in the
// order the form builder lists them. The geometry selector lists the
// PotentialObjectKind values in their own order and uses that enum.

// gridResolutionComboBox: points per side.
enum class GridResolutionIndex { Points256, Points512, Points1024 };
// boundaryModeComboBox: the periodic box of the FFT, or an absorbing layer.
enum class BoundaryIndex { Periodic, Absorbing };
// spaceComboBox: what the viewport shows.
enum class SpaceIndex { Position, Momentum };
// viewComboBox: the quantity of psi drawn in position space.
enum class ViewIndex { Probability, Phase, Real, Imaginary };
// paletteComboBox: the colour map of the density views.
enum class PaletteIndex { Scientific, Viridis, Grayscale };
// postPreviewComboBox: the stage of the bloom pipeline shown.
enum class PostPreviewIndex { Scene, BrightPass, GaussianBlur, Bloom };
// currentModeComboBox: how the probability current is drawn.
enum class CurrentModeIndex { Vectors, Streamlines, Both };
// displayScaleComboBox and probabilityContourSpacingComboBox.
enum class DisplayScaleIndex { Linear, Logarithmic };
enum class ContourSpacingIndex { Linear, Logarithmic };
// graphicsPresetComboBox: three display presets, then the hand-set values.
enum class GraphicsPresetIndex { Scientific, Presentation, Cinematic, Custom };
// measurementModeComboBox: where the ensemble hits come from.
enum class MeasurementModeIndex { FullPlane, DetectorScreen, TemporalDetector };
// crossSectionAxisComboBox: the line along which the cut varies.
enum class CrossSectionAxisIndex { Horizontal, Vertical };
// resonanceScanModeComboBox: the swept quantity of the resonance scan.
enum class ResonanceScanIndex { Energy, CavityWidth };
// viewportEditToolComboBox: the shape a drag draws.
enum class EditToolIndex { Rectangle, Circle };
// berryWindingComboBox: the sense of the trap's loop.
enum class WindingIndex { CounterClockwise, Clockwise };
// speedComboBox: steps per tick from a quarter to sixteen times the base.
enum class SpeedIndex { Quarter, Half, Normal, Twice, FourTimes, EightTimes, SixteenTimes };
// crossSectionCurveComboBox: the quantity of psi along the cut.
enum class CrossSectionCurveIndex { Probability, Real, Imaginary, Phase };
// timeSeriesQuantityComboBox: the observables of the history, in the plot's order.
enum class TimeSeriesQuantityIndex {
    MeanX,
    MeanY,
    SigmaX,
    SigmaY,
    Norm,
    Absorbed,
    Reflection,
    Transmission,
    Kinetic,
    Potential,
    Total,
    EnergyDrift,
    LeftWell,
    RightWell
};
// helpLanguageTabWidget: the guide's two languages.
enum class HelpLanguageTab { Italian, English };

// The combo index of a named entry.
template <typename Index>
constexpr int indexOf(Index entry)
{
    return static_cast<int>(entry);
}

// The combo's current index (-1 with no current item); kept out of line so
// that plain-state headers can name the entries without a widget header.
int currentIndexOf(const QComboBox* combo);

// True when `combo` has the named entry selected.
template <typename Index>
bool isSelected(const QComboBox* combo, Index entry)
{
    return currentIndexOf(combo) == indexOf(entry);
}

} // namespace vxo
