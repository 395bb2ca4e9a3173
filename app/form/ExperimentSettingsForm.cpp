#include "app/form/ExperimentSettingsForm.h"

#include "app/form/BoxRounding.h"
#include "app/form/ControlCaption.h"
#include "app/form/ControlValue.h"
#include "app/form/QuietControlWrites.h"
#include "app/form/FormIndices.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace vxo {

namespace {

// How a plain index combo takes its field back: as it is (an index the combo
// does not have leaves it without a current item) or clamped to its items.
enum class IndexWrite { AsIs, Clamped };

// Highest scene parameter index of the drive records (Linear slope Y).
constexpr int kLastSceneParameter = 7;

std::uint64_t itemObjectId(const QComboBox* combo, int index)
{
    return combo->itemData(index, Qt::UserRole).toULongLong();
}

// Saturates instead of wrapping, so a huge unsigned field reaches the widget
// as its maximum rather than as a negative number.
template <typename Int>
int toWidgetInt(Int value)
{
    const auto wide = static_cast<long long>(value);
    return static_cast<int>(
        std::clamp<long long>(wide, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Fills each field from its control.
struct FormReader {
    void value(const QDoubleSpinBox* box, double& field) const { field = box->value(); }

    template <typename Int>
    void count(const QSpinBox* box, Int& field) const
    {
        field = static_cast<Int>(box->value());
    }

    void flag(const QCheckBox* box, bool& field) const { field = box->isChecked(); }

    // A record's own enable box.
    void enable(const QCheckBox* box, bool& field) const { flag(box, field); }

    // Enabled only with its own box, the scene box and whatever else the
    // record needs (a target object for the drive records).
    void sceneFlag(const QCheckBox* box, const QCheckBox* sceneBox, bool requirementMet, bool& field) const
    {
        field = box->isChecked() && sceneBox->isChecked() && requirementMet;
    }

    void target(const QComboBox* combo, std::uint64_t& id) const
    {
        const int index = combo->currentIndex();
        id = index < 0 ? 0 : itemObjectId(combo, index);
    }

    void parameter(const QComboBox* combo, std::int32_t& field) const
    {
        field = std::clamp(combo->currentIndex(), 0, kLastSceneParameter);
    }

    void winding(const QComboBox* combo, std::int32_t& field) const
    {
        field = isSelected(combo, WindingIndex::Clockwise) ? -1 : 1;
    }

    // A combo without a current item reads as an index no record accepts, so
    // the record's validation refuses it rather than taking mode 0.
    void index(const QComboBox* combo, std::uint32_t& field, IndexWrite) const
    {
        field = static_cast<std::uint32_t>(combo->currentIndex());
    }

    void dependents(bool, std::initializer_list<QWidget*>) const {}
};

// Writes each field into its control, that control's signals blocked, and
// notes the record's own enable box, the key of its exclusion row.
struct FormWriter {
    QCheckBox* enableBox = nullptr;

    void value(QDoubleSpinBox* box, double field) const { setValueQuietly(box, field); }

    template <typename Int>
    void count(QSpinBox* box, Int field) const
    {
        setValueQuietly(box, toWidgetInt(field));
    }

    void flag(QCheckBox* box, bool field) const { setCheckedQuietly(box, field); }

    void enable(QCheckBox* box, bool field)
    {
        flag(box, field);
        enableBox = box;
    }

    void sceneFlag(QCheckBox* box, const QCheckBox*, bool, bool field) { enable(box, field); }

    // The combo keeps its selection when it does not list the object.
    void target(QComboBox* combo, std::uint64_t id) const
    {
        for (int i = 0; i < combo->count(); ++i) {
            if (itemObjectId(combo, i) == id) {
                setIndexQuietly(combo, i);
                return;
            }
        }
    }

    void parameter(QComboBox* combo, std::int32_t field) const
    {
        setIndexQuietly(combo, std::clamp<std::int32_t>(field, 0, kLastSceneParameter));
    }

    void winding(QComboBox* combo, std::int32_t field) const
    {
        setIndexQuietly(combo, indexOf(field < 0 ? WindingIndex::Clockwise : WindingIndex::CounterClockwise));
    }

    void index(QComboBox* combo, std::uint32_t field, IndexWrite rule) const
    {
        int index = toWidgetInt(field);
        if (rule == IndexWrite::Clamped)
            index = std::clamp(index, 0, std::max(combo->count() - 1, 0));
        // As it is, an index the combo lacks leaves it without a current item.
        writeQuietly(combo, [index](QComboBox& target) { target.setCurrentIndex(index); });
    }

    void dependents(bool enabled, std::initializer_list<QWidget*> widgets) const
    {
        for (QWidget* widget : widgets)
            widget->setEnabled(enabled);
    }
};

// The settings range table's row of a record's box.
const SettingsRange* rowOfBox(const QWidget* box)
{
    const QByteArray name = box->objectName().toLatin1();
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (row->control != nullptr && name == row->control)
            return row;
    }
    return nullptr;
}

// Visits the boxes of the records' number fields only; the other fields
// (flags, targets, parameters, lists) are no business of the range table.
struct BoxFieldVisitor {
    void flag(const QCheckBox*, bool) const {}
    void enable(const QCheckBox*, bool) const {}
    void sceneFlag(const QCheckBox*, const QCheckBox*, bool, bool) const {}
    void target(const QComboBox*, std::uint64_t) const {}
    void parameter(const QComboBox*, std::int32_t) const {}
    void winding(const QComboBox*, std::int32_t) const {}
    void index(const QComboBox*, std::uint32_t, IndexWrite) const {}
    void dependents(bool, std::initializer_list<QWidget*>) const {}
};

// Finds the first field outside its box's range, by the box's row of the
// settings range table.
struct FormFit : BoxFieldVisitor {
    const std::optional<UniverseExtent>& universe;
    QString fault;

    explicit FormFit(const std::optional<UniverseExtent>& extent) : universe(extent) {}

    void check(const QWidget* box, double field)
    {
        if (!fault.isEmpty())
            return;
        if (const SettingsRange* row = rowOfBox(box))
            fault = row->outsideFault(field, universe);
    }

    void value(const QDoubleSpinBox* box, double field) { check(box, field); }

    template <typename Int>
    void count(const QSpinBox* box, Int field)
    {
        check(box, static_cast<double>(field));
    }
};

// Rounds each double field to its box's decimals, noting what it rounded.
struct FormRound : BoxFieldVisitor {
    const Ui_MainWindow& form;
    std::vector<BoxRounding> roundings;

    explicit FormRound(const Ui_MainWindow& f) : form(f) {}

    void value(const QDoubleSpinBox* box, double& field)
    {
        if (const SettingsRange* row = rowOfBox(box))
            field = roundedForBox(field, row->decimals, controlCaption(form, *box), roundings);
    }

    template <typename Int>
    void count(const QSpinBox*, Int&) const
    {
    }
};

// --- The field and control tables ------------------------------------------------

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, QuantumQuench& r)
{
    io.target(f.quenchTargetComboBox, r.targetObjectId);
    io.sceneFlag(f.quenchEnabledCheckBox, f.potentialSceneActiveCheckBox, r.targetObjectId != 0, r.enabled);
    io.parameter(f.quenchParameterComboBox, r.parameter);
    io.value(f.quenchTimeSpinBox, r.time);
    io.value(f.quenchBeforeSpinBox, r.before);
    io.value(f.quenchAfterSpinBox, r.after);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, PeriodicDrive& r)
{
    io.target(f.periodicDriveTargetComboBox, r.targetObjectId);
    io.sceneFlag(f.periodicDriveEnabledCheckBox, f.potentialSceneActiveCheckBox, r.targetObjectId != 0, r.enabled);
    io.parameter(f.periodicDriveParameterComboBox, r.parameter);
    io.value(f.periodicDriveMeanSpinBox, r.mean);
    io.value(f.periodicDriveAmplitudeSpinBox, r.amplitude);
    io.value(f.periodicDriveOmegaSpinBox, r.angularFrequency);
    io.value(f.periodicDrivePhaseSpinBox, r.phaseDegrees);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, LinearSweep& r)
{
    io.target(f.linearSweepTargetComboBox, r.targetObjectId);
    io.sceneFlag(f.linearSweepEnabledCheckBox, f.potentialSceneActiveCheckBox, r.targetObjectId != 0, r.enabled);
    io.parameter(f.linearSweepParameterComboBox, r.parameter);
    io.value(f.linearSweepStartValueSpinBox, r.startValue);
    io.value(f.linearSweepEndValueSpinBox, r.endValue);
    io.value(f.linearSweepStartTimeSpinBox, r.startTime);
    io.value(f.linearSweepDurationSpinBox, r.duration);
    io.flag(f.linearSweepReturnCheckBox, r.returnEnabled);
    io.value(f.linearSweepHoldDurationSpinBox, r.holdDuration);
    io.value(f.linearSweepReturnDurationSpinBox, r.returnDuration);
    io.dependents(r.returnEnabled, {f.linearSweepHoldDurationSpinBox, f.linearSweepReturnDurationSpinBox});
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, RamseySequence& r)
{
    io.target(f.ramseyTargetComboBox, r.targetObjectId);
    io.sceneFlag(f.ramseyEnabledCheckBox, f.potentialSceneActiveCheckBox, r.targetObjectId != 0, r.enabled);
    io.parameter(f.ramseyParameterComboBox, r.parameter);
    io.value(f.ramseyMeanSpinBox, r.mean);
    io.value(f.ramseyAmplitudeSpinBox, r.amplitude);
    io.value(f.ramseyOmegaSpinBox, r.angularFrequency);
    io.value(f.ramseyFirstPhaseSpinBox, r.firstPhaseDegrees);
    io.value(f.ramseySecondPhaseSpinBox, r.secondPhaseDegrees);
    io.value(f.ramseyStartTimeSpinBox, r.startTime);
    io.value(f.ramseyPulseDurationSpinBox, r.pulseDuration);
    io.value(f.ramseyFreeDurationSpinBox, r.freeEvolutionDuration);
    io.flag(f.ramseyEchoEnabledCheckBox, r.echoEnabled);
    io.value(f.ramseyEchoDurationSpinBox, r.echoPulseDuration);
    io.value(f.ramseyEchoPhaseSpinBox, r.echoPulsePhaseDegrees);
    io.dependents(r.echoEnabled, {f.ramseyEchoDurationSpinBox, f.ramseyEchoPhaseSpinBox});
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, RamseyEnsemble& r)
{
    io.enable(f.ramseyEnsembleEnabledCheckBox, r.enabled);
    io.value(f.ramseyEnsembleSigmaSpinBox, r.detuningStdDev);
    io.count(f.ramseyEnsembleMembersSpinBox, r.memberCount);
    io.dependents(r.enabled, {f.ramseyEnsembleSigmaSpinBox, f.ramseyEnsembleMembersSpinBox});
}

// The enabled flag and the first kick time live in the stored copy only.
template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, KickedRotorConfig& r)
{
    io.value(f.kickedRotorPeriodSpinBox, r.kickPeriod);
    io.value(f.kickedRotorStrengthSpinBox, r.phaseStrength);
}

// Only the measurement period has a control.
template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, ZenoConfig& r)
{
    io.value(f.zenoMeasurementPeriodSpinBox, r.measurementPeriod);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, ScarConfig& r)
{
    io.value(f.scarBandSpinBox, r.orbitBandHalfWidth);
    io.value(f.scarEnergySpinBox, r.referenceEnergy);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, BerryConfig& r)
{
    io.sceneFlag(f.berryEnabledCheckBox, f.potentialSceneActiveCheckBox, true, r.enabled);
    io.value(f.berryAnisotropySpinBox, r.anisotropy);
    io.value(f.berryStartTimeSpinBox, r.startTime);
    io.value(f.berryDurationSpinBox, r.duration);
    io.winding(f.berryWindingComboBox, r.winding);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, LoschmidtConfig& r)
{
    io.enable(f.loschmidtEnabledCheckBox, r.enabled);
    io.value(f.loschmidtTimeSpinBox, r.reversalTime);
    io.value(f.loschmidtMomentumErrorXSpinBox, r.momentumErrorX);
    io.value(f.loschmidtMomentumErrorYSpinBox, r.momentumErrorY);
}

// The box alone decides `enabled`, target or not: the shutter applier and
// the validators refuse what does not fit the scene.
template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, MoshinskyConfig& r)
{
    io.enable(f.moshinskyEnabledCheckBox, r.enabled);
    io.target(f.moshinskyTargetComboBox, r.shutterObjectId);
    io.value(f.moshinskyOpenTimeSpinBox, r.openTime);
    io.value(f.moshinskyDetectorXSpinBox, r.detectorX);
    io.value(f.moshinskyAnalysisEndTimeSpinBox, r.analysisEndTime);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, KapitzaDiracConfig& r)
{
    io.enable(f.kapitzaDiracEnabledCheckBox, r.enabled);
    io.value(f.kapitzaDiracPeriodSpinBox, r.latticePeriod);
    io.value(f.kapitzaDiracDepthSpinBox, r.latticeDepth);
    io.value(f.kapitzaDiracPhaseSpinBox, r.latticePhaseDegrees);
    io.value(f.kapitzaDiracStartSpinBox, r.pulseStartTime);
    io.value(f.kapitzaDiracDurationSpinBox, r.pulseDuration);
    io.value(f.kapitzaDiracAnalysisEndSpinBox, r.analysisEndTime);
    io.count(f.kapitzaDiracOrderSpinBox, r.maximumOrder);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, AharonovBohmConfig& r)
{
    io.enable(f.aharonovBohmEnabledCheckBox, r.enabled);
    io.value(f.aharonovBohmCenterXSpinBox, r.solenoidX);
    io.value(f.aharonovBohmCenterYSpinBox, r.solenoidY);
    io.value(f.aharonovBohmRadiusSpinBox, r.solenoidRadius);
    io.value(f.aharonovBohmFluxSpinBox, r.fluxQuanta);
    io.value(f.aharonovBohmBarrierSpinBox, r.barrierHeight);
    io.value(f.aharonovBohmDetectorXSpinBox, r.detectorX);
    io.value(f.aharonovBohmAnalysisEndSpinBox, r.analysisEndTime);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, LandauConfig& r)
{
    io.enable(f.landauEnabledCheckBox, r.enabled);
    io.value(f.landauFieldSpinBox, r.fieldStrength);
    io.index(f.landauPreparationComboBox, r.preparationMode, IndexWrite::AsIs);
    io.count(f.landauIndexSpinBox, r.landauIndex);
    io.value(f.landauOrbitRadiusSpinBox, r.orbitRadius);
    io.value(f.landauAnalysisEndSpinBox, r.analysisEndTime);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, HallEdgeConfig& r)
{
    io.enable(f.hallEdgeEnabledCheckBox, r.enabled);
    io.value(f.hallEdgeFieldSpinBox, r.fieldStrength);
    io.value(f.hallEdgeYSpinBox, r.edgeY);
    io.value(f.hallEdgeWallSpinBox, r.wallHeight);
    io.value(f.hallEdgeLaunchYSpinBox, r.launchY);
    io.value(f.hallEdgeRadiusSpinBox, r.orbitRadius);
    io.value(f.hallEdgeSigmaSpinBox, r.packetSigma);
    io.value(f.hallEdgeBandSpinBox, r.edgeBand);
    io.value(f.hallEdgeAnalysisEndSpinBox, r.analysisEndTime);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, BackflowConfig& r)
{
    io.enable(f.backflowEnabledCheckBox, r.enabled);
    io.value(f.backflowDetectorSpinBox, r.detectorX);
    io.value(f.backflowSlowKSpinBox, r.slowWaveNumber);
    io.value(f.backflowFastKSpinBox, r.fastWaveNumber);
    io.value(f.backflowKSigmaSpinBox, r.momentumSigma);
    io.value(f.backflowRatioSpinBox, r.fastAmplitudeRatio);
    io.value(f.backflowPhaseSpinBox, r.relativePhaseDegrees);
    io.value(f.backflowCenterXSpinBox, r.initialCenterX);
    io.value(f.backflowTransverseSigmaSpinBox, r.transverseSigma);
    io.value(f.backflowAnalysisEndSpinBox, r.analysisEndTime);
}

template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, ZitterbewegungConfig& r)
{
    io.enable(f.zitterEnabledCheckBox, r.enabled);
    io.value(f.zitterLightSpeedSpinBox, r.lightSpeed);
    io.value(f.zitterMassSpinBox, r.restMass);
    io.value(f.zitterCenterXSpinBox, r.centerX);
    io.value(f.zitterCenterYSpinBox, r.centerY);
    io.value(f.zitterSigmaSpinBox, r.sigma);
    io.value(f.zitterMomentumXSpinBox, r.momentumX);
    io.value(f.zitterMomentumYSpinBox, r.momentumY);
    io.index(f.zitterPreparationComboBox, r.preparationMode, IndexWrite::Clamped);
    io.value(f.zitterAnalysisEndSpinBox, r.analysisEndTime);
}

// centerY has no control: the packet starts on the barrier's axis unless a
// preset or document says otherwise.
template <typename Io>
void visit(Io& io, const Ui_MainWindow& f, KleinTunnelingConfig& r)
{
    io.enable(f.kleinEnabledCheckBox, r.enabled);
    io.value(f.kleinLightSpeedSpinBox, r.lightSpeed);
    io.value(f.kleinMassSpinBox, r.restMass);
    io.value(f.kleinCenterXSpinBox, r.centerX);
    io.value(f.kleinSigmaSpinBox, r.sigma);
    io.value(f.kleinPxSpinBox, r.momentumX);
    io.value(f.kleinPySpinBox, r.momentumY);
    io.value(f.kleinBarrierCenterSpinBox, r.barrierCenterX);
    io.value(f.kleinBarrierWidthSpinBox, r.barrierWidth);
    io.value(f.kleinBarrierHeightSpinBox, r.barrierHeight);
    io.value(f.kleinDetectorXSpinBox, r.detectorX);
    io.value(f.kleinAnalysisEndSpinBox, r.analysisEndTime);
}

// --- Experiment modes that exclude each other -------------------------------------

using Box = QCheckBox* Ui_MainWindow::*;
using Combo = QComboBox* Ui_MainWindow::*;

// What an enabled record switches off, by the record's own enable box: these
// boxes unchecked, these combos to index 0. A record written later wins over
// one it excludes. The rows are not symmetric: Klein clears Zitterbewegung
// but not the reverse, Hall edge clears Aharonov-Bohm and Landau but neither
// clears it, and Klein keeps the boundary that backflow and Zitterbewegung
// reset. Records without a row (quench, the ensemble, the kicked rotor, Zeno,
// scars) exclude nothing.
struct ExclusionRow {
    Box experiment;
    std::vector<Box> unchecked;
    std::vector<Combo> reset;
};

const std::vector<ExclusionRow>& exclusionTable()
{
    using F = Ui_MainWindow;
    constexpr Box quench = &F::quenchEnabledCheckBox, drive = &F::periodicDriveEnabledCheckBox,
                  sweep = &F::linearSweepEnabledCheckBox, ramsey = &F::ramseyEnabledCheckBox,
                  berry = &F::berryEnabledCheckBox, loschmidt = &F::loschmidtEnabledCheckBox,
                  moshinsky = &F::moshinskyEnabledCheckBox, kapitzaDirac = &F::kapitzaDiracEnabledCheckBox,
                  aharonovBohm = &F::aharonovBohmEnabledCheckBox, landau = &F::landauEnabledCheckBox,
                  hallEdge = &F::hallEdgeEnabledCheckBox, backflow = &F::backflowEnabledCheckBox,
                  zitter = &F::zitterEnabledCheckBox, klein = &F::kleinEnabledCheckBox,
                  scene = &F::potentialSceneActiveCheckBox, overlay = &F::currentOverlayCheckBox;
    constexpr Combo boundary = &F::boundaryModeComboBox, geometry = &F::geometryComboBox, space = &F::spaceComboBox,
                    view = &F::viewComboBox;
    // Backflow is a free packet on a periodic grid: no scene, no geometry.
    // Zitterbewegung is the free Dirac packet besides: position probability
    // view, no current overlay. The Klein barrier is its own potential.
    static const std::vector<ExclusionRow> rows = {
        {drive, {quench}, {}},
        {sweep, {quench, drive}, {}},
        {ramsey, {quench, drive, sweep}, {}},
        {berry, {quench, drive, sweep, ramsey}, {}},
        {loschmidt, {quench, drive, sweep, ramsey, berry}, {}},
        {moshinsky, {quench, drive, sweep, ramsey, berry, loschmidt}, {}},
        {kapitzaDirac, {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky}, {}},
        {aharonovBohm, {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, landau}, {}},
        {landau, {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, aharonovBohm}, {}},
        {hallEdge, {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, aharonovBohm, landau}, {}},
        {backflow,
         {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, aharonovBohm, landau, hallEdge,
          scene},
         {boundary, geometry}},
        {zitter,
         {quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, aharonovBohm, landau, hallEdge,
          backflow, scene, overlay},
         {boundary, geometry, space, view}},
        {klein,
         {zitter, quench, drive, sweep, ramsey, berry, loschmidt, moshinsky, kapitzaDirac, aharonovBohm, landau,
          hallEdge, backflow, scene, overlay},
         {geometry, space, view}},
    };
    return rows;
}

// Switches off the row of the experiment whose enable box is `experiment`.
void switchOff(const Ui_MainWindow& form, const QCheckBox* experiment)
{
    if (experiment == nullptr)
        return;
    const std::vector<ExclusionRow>& rows = exclusionTable();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const ExclusionRow& r) { return form.*r.experiment == experiment; });
    if (row == rows.end())
        return;
    for (const Box box : row->unchecked)
        setCheckedQuietly(form.*box, false);
    for (const Combo combo : row->reset)
        setIndexQuietly(form.*combo, 0);
}

} // namespace

template <typename Record>
Record readSettingsFromForm(const Ui_MainWindow& form, Record base)
{
    FormReader reader;
    visit(reader, form, base);
    return base;
}

template <typename Record>
void writeSettingsIntoForm(const Ui_MainWindow& form, const Record& record)
{
    Record fields = record;
    FormWriter writer;
    visit(writer, form, fields);
    if (record.enabled)
        switchOff(form, writer.enableBox);
}

namespace {

// Every record in the order of the writers.
template <typename Visitor>
void visitRecords(Visitor& visitor, const Ui_MainWindow& form, ExperimentSettingsRecords& r)
{
    visit(visitor, form, r.quantumQuench);
    visit(visitor, form, r.periodicDrive);
    visit(visitor, form, r.linearSweep);
    visit(visitor, form, r.ramseySequence);
    visit(visitor, form, r.ramseyEnsemble);
    visit(visitor, form, r.kickedRotor);
    visit(visitor, form, r.quantumZeno);
    visit(visitor, form, r.quantumScar);
    visit(visitor, form, r.quantumBerry);
    visit(visitor, form, r.quantumLoschmidt);
    visit(visitor, form, r.quantumMoshinsky);
    visit(visitor, form, r.quantumKapitzaDirac);
    visit(visitor, form, r.quantumAharonovBohm);
    visit(visitor, form, r.quantumLandau);
    visit(visitor, form, r.quantumHallEdge);
    visit(visitor, form, r.quantumBackflow);
    visit(visitor, form, r.quantumZitterbewegung);
    visit(visitor, form, r.quantumKleinTunneling);
}

} // namespace

QString settingsFormFault(const Ui_MainWindow& form, const ExperimentSettingsRecords& records,
                          const std::optional<UniverseExtent>& universe)
{
    FormFit fit(universe);
    ExperimentSettingsRecords r = records;
    visitRecords(fit, form, r);
    return fit.fault;
}

std::vector<BoxRounding> roundSettingsForBoxes(const Ui_MainWindow& form, ExperimentSettingsRecords& records)
{
    FormRound round(form);
    visitRecords(round, form, records);
    return std::move(round.roundings);
}

#define VXO_SETTINGS_FORM_RECORD(Record)                                                                               \
    template Record readSettingsFromForm<Record>(const Ui_MainWindow&, Record);                                        \
    template void writeSettingsIntoForm<Record>(const Ui_MainWindow&, const Record&);

VXO_SETTINGS_FORM_RECORD(QuantumQuench)
VXO_SETTINGS_FORM_RECORD(PeriodicDrive)
VXO_SETTINGS_FORM_RECORD(LinearSweep)
VXO_SETTINGS_FORM_RECORD(RamseySequence)
VXO_SETTINGS_FORM_RECORD(RamseyEnsemble)
VXO_SETTINGS_FORM_RECORD(KickedRotorConfig)
VXO_SETTINGS_FORM_RECORD(ZenoConfig)
VXO_SETTINGS_FORM_RECORD(ScarConfig)
VXO_SETTINGS_FORM_RECORD(BerryConfig)
VXO_SETTINGS_FORM_RECORD(LoschmidtConfig)
VXO_SETTINGS_FORM_RECORD(MoshinskyConfig)
VXO_SETTINGS_FORM_RECORD(KapitzaDiracConfig)
VXO_SETTINGS_FORM_RECORD(AharonovBohmConfig)
VXO_SETTINGS_FORM_RECORD(LandauConfig)
VXO_SETTINGS_FORM_RECORD(HallEdgeConfig)
VXO_SETTINGS_FORM_RECORD(BackflowConfig)
VXO_SETTINGS_FORM_RECORD(ZitterbewegungConfig)
VXO_SETTINGS_FORM_RECORD(KleinTunnelingConfig)

#undef VXO_SETTINGS_FORM_RECORD

} // namespace vxo
