// The form's contract with the main window, the experiment documents and the
// saved window state, checked on the bare form: object names and classes,
// fixed combo items, tab and page orders, default indices and spin box
// ranges. Each table has one section per group of pages; the rows of a new
// page go under its section's marker.

#include "FormTestSupport.h"

#include "plots/QuantumAharonovBohmPlotWidget.h"
#include "plots/QuantumAndersonPlotWidget.h"
#include "plots/QuantumBackflowPlotWidget.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumBlochPlotWidget.h"
#include "plots/QuantumBouncerPlotWidget.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "plots/QuantumCrossSectionPlotWidget.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumHallEdgePlotWidget.h"
#include "plots/QuantumKapitzaDiracPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/QuantumKleinHeightScanPlotWidget.h"
#include "plots/QuantumKleinMassScanPlotWidget.h"
#include "plots/QuantumKleinTunnelingPlotWidget.h"
#include "plots/QuantumLandauPlotWidget.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumLoschmidtPlotWidget.h"
#include "plots/QuantumMoshinskyPlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumResonancePlotWidget.h"
#include "plots/QuantumRevivalPlotWidget.h"
#include "plots/QuantumScarPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"
#include "plots/QuantumTalbotPlotWidget.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"
#include "plots/QuantumZitterbewegungPlotWidget.h"
#include "view/QuantumGLView.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vxo::test {
namespace {

// Classes without a meta-object of their own are recognised by their type.
template <typename T>
bool isA(const QObject* object)
{
    return dynamic_cast<const T*>(object) != nullptr;
}

bool hasClass(const QObject* object, const std::string& className)
{
    static const std::map<std::string, bool (*)(const QObject*)> byType = {
        {"vxo::QuantumGLView", isA<QuantumGLView>},
        // Plot widgets of the analysis pages
        {"vxo::QuantumAharonovBohmPlotWidget", isA<QuantumAharonovBohmPlotWidget>},
        {"vxo::QuantumAndersonPlotWidget", isA<QuantumAndersonPlotWidget>},
        {"vxo::QuantumBackflowPlotWidget", isA<QuantumBackflowPlotWidget>},
        {"vxo::QuantumBerryPhasePlotWidget", isA<QuantumBerryPhasePlotWidget>},
        {"vxo::QuantumBilliardPlotWidget", isA<QuantumBilliardPlotWidget>},
        {"vxo::QuantumBlochPlotWidget", isA<QuantumBlochPlotWidget>},
        {"vxo::QuantumBouncerPlotWidget", isA<QuantumBouncerPlotWidget>},
        {"vxo::QuantumBoundStatePlotWidget", isA<QuantumBoundStatePlotWidget>},
        {"vxo::QuantumCrossSectionPlotWidget", isA<QuantumCrossSectionPlotWidget>},
        {"vxo::QuantumDiracMasslessComparisonPlotWidget", isA<QuantumDiracMasslessComparisonPlotWidget>},
        {"vxo::QuantumDoubleWellPlotWidget", isA<QuantumDoubleWellPlotWidget>},
        {"vxo::QuantumDrivePlotWidget", isA<QuantumDrivePlotWidget>},
        {"vxo::QuantumHallEdgePlotWidget", isA<QuantumHallEdgePlotWidget>},
        {"vxo::QuantumKapitzaDiracPlotWidget", isA<QuantumKapitzaDiracPlotWidget>},
        {"vxo::QuantumKickedRotorPlotWidget", isA<QuantumKickedRotorPlotWidget>},
        {"vxo::QuantumKleinAngleScanPlotWidget", isA<QuantumKleinAngleScanPlotWidget>},
        {"vxo::QuantumKleinHeightScanPlotWidget", isA<QuantumKleinHeightScanPlotWidget>},
        {"vxo::QuantumKleinMassScanPlotWidget", isA<QuantumKleinMassScanPlotWidget>},
        {"vxo::QuantumKleinTunnelingPlotWidget", isA<QuantumKleinTunnelingPlotWidget>},
        {"vxo::QuantumLandauPlotWidget", isA<QuantumLandauPlotWidget>},
        {"vxo::QuantumLandauZenerPlotWidget", isA<QuantumLandauZenerPlotWidget>},
        {"vxo::QuantumLoschmidtPlotWidget", isA<QuantumLoschmidtPlotWidget>},
        {"vxo::QuantumMoshinskyPlotWidget", isA<QuantumMoshinskyPlotWidget>},
        {"vxo::QuantumQuenchPlotWidget", isA<QuantumQuenchPlotWidget>},
        {"vxo::QuantumRabiPlotWidget", isA<QuantumRabiPlotWidget>},
        {"vxo::QuantumRamseyPlotWidget", isA<QuantumRamseyPlotWidget>},
        {"vxo::QuantumResonancePlotWidget", isA<QuantumResonancePlotWidget>},
        {"vxo::QuantumRevivalPlotWidget", isA<QuantumRevivalPlotWidget>},
        {"vxo::QuantumScarPlotWidget", isA<QuantumScarPlotWidget>},
        {"vxo::QuantumStueckelbergPlotWidget", isA<QuantumStueckelbergPlotWidget>},
        {"vxo::QuantumTalbotPlotWidget", isA<QuantumTalbotPlotWidget>},
        {"vxo::QuantumTimeSeriesPlotWidget", isA<QuantumTimeSeriesPlotWidget>},
        {"vxo::QuantumVortexPlotWidget", isA<QuantumVortexPlotWidget>},
        {"vxo::QuantumZenoPlotWidget", isA<QuantumZenoPlotWidget>},
        {"vxo::QuantumZitterbewegungPlotWidget", isA<QuantumZitterbewegungPlotWidget>},
    };
    const auto check = byType.find(className);
    if (check != byType.end())
        return check->second(object);
    return className == object->metaObject()->className();
}

struct ObjectGroup {
    std::string className;
    std::vector<const char*> names;
};

// Every named object of the form, by class.
const std::vector<ObjectGroup>& formObjects()
{
    static const std::vector<ObjectGroup> groups = {
        // --- Window frame
        {"QMainWindow", {"MainWindow"}},
        {"QAction", {"actionLoadExperimentJson", "actionSaveExperimentJson", "actionControlsDock", "actionTimeDock",
                     "actionDiagnosticsDock", "actionHelpDock", "actionAnalysisDock"}},
        {"QWidget", {"centralWidget", "controlsDockContents", "analysisDockContents"}},
        {"QVBoxLayout", {"verticalLayout_3", "controlsDockLayout", "verticalLayout_4"}},
        {"QHBoxLayout", {"headerLayout"}},
        {"QPushButton", {"playButton", "pauseButton", "stopButton", "stepButton", "resetButton"}},
        {"QLabel", {"transportStateCaption", "transportStateLabel", "speedLabel"}},
        {"QComboBox", {"speedComboBox"}},
        {"vxo::QuantumGLView", {"quantumView"}},
        {"QMenuBar", {"menuBar"}},
        {"QMenu", {"menuFile", "menuView"}},
        {"QStatusBar", {"statusBar"}},
        {"QDockWidget", {"controlsDockWidget", "analysisDockWidget", "timeDockWidget", "diagnosticsDockWidget",
                         "helpDockWidget"}},
        {"QTabWidget", {"controlsTabWidget", "analysisTabWidget"}},

        // --- Time, diagnostics and help docks
        {"QWidget", {"timeDockContents", "diagnosticsDockContents", "helpDockContents", "helpItalianTab",
                     "helpEnglishTab"}},
        {"QVBoxLayout", {"timeDockLayout", "timePrimaryLayout", "diagnosticsDockLayout", "helpDockLayout",
                         "helpItalianTabLayout", "helpEnglishTabLayout"}},
        {"QGridLayout", {"timeDetailsLayout"}},
        {"QFrame", {"timePrimaryFrame", "timeDetailsFrame"}},
        {"QLabel", {"timeTitleLabel", "timeSimulationCaptionLabel", "timeSimulationValueLabel", "timeRealCaptionLabel",
                    "timeRealValueLabel", "timeIndicativeLabel", "timeReferenceTitleLabel", "timeReferenceValueLabel",
                    "timeLengthScaleTitleLabel", "timeLengthScaleValueLabel", "timeTimeScaleTitleLabel",
                    "timeTimeScaleValueLabel"}},
        {"QTableWidget", {"diagnosticsTable"}},
        {"QTabWidget", {"helpLanguageTabWidget"}},
        {"QTextBrowser", {"helpItalianBrowser", "helpEnglishBrowser"}},

        // --- Experiment tab and its Setup page
        {"QWidget", {"experimentTab", "experimentSetupPage"}},
        {"QTabWidget", {"experimentSubTabWidget"}},
        {"QVBoxLayout", {"experimentTabLayout", "experimentSetupLayout", "verticalLayout_5"}},
        {"QHBoxLayout", {"horizontalLayout", "horizontalLayout_2"}},
        {"QFormLayout", {"domainFormLayout"}},
        {"QGroupBox", {"experimentLibraryGroupBox", "domainGroupBox"}},
        {"QLabel", {"experimentPresetLabel", "experimentPresetDescriptionLabel", "universeWidthLabel",
                    "universeHeightLabel", "gridResolutionLabel", "domainSpacingCaptionLabel",
                    "domainSpacingValueLabel", "domainBoundaryCaptionLabel", "absorbingWidthLabel",
                    "absorbingStrengthLabel", "domainHintLabel"}},
        {"QComboBox", {"experimentPresetComboBox", "gridResolutionComboBox", "boundaryModeComboBox"}},
        {"QPushButton", {"loadExperimentButton"}},
        {"QDoubleSpinBox", {"universeWidthSpinBox", "universeHeightSpinBox", "absorbingWidthSpinBox",
                            "absorbingStrengthSpinBox"}},

        // --- Potential sub-tab: scene and object editor
        {"QWidget", {"experimentPotentialPage", "potentialScenePage", "potentialObjectPage", "nonePotentialPage",
                     "rectanglePotentialPage", "circlePotentialPage", "barrierPotentialPage",
                     "singleSlitPotentialPage", "doubleSlitPotentialPage", "polygonPotentialPage",
                     "gaussianPotentialPage", "harmonicPotentialPage", "linearPotentialPage", "radialPotentialPage",
                     "stadiumPotentialPage"}},
        {"QTabWidget", {"potentialSubTabWidget"}},
        {"QStackedWidget", {"geometryParametersStackedWidget"}},
        {"QVBoxLayout", {"experimentPotentialLayout", "potentialScenePageLayout", "potentialSceneLayout",
                         "potentialObjectPageLayout", "geometryGroupLayout", "viewportEditorLayout",
                         "nonePotentialLayout"}},
        {"QHBoxLayout", {"potentialSceneButtonsLayout"}},
        {"QFormLayout", {"geometrySelectorFormLayout", "viewportEditorFormLayout", "rectanglePotentialFormLayout",
                         "circlePotentialFormLayout", "barrierPotentialFormLayout", "singleSlitPotentialFormLayout",
                         "doubleSlitPotentialFormLayout", "polygonPotentialFormLayout",
                         "gaussianPotentialPageFormLayout", "harmonicPotentialPageFormLayout",
                         "linearPotentialPageFormLayout", "radialPotentialPageFormLayout",
                         "stadiumPotentialFormLayout"}},
        {"QGroupBox", {"potentialSceneGroupBox", "geometryGroupBox", "viewportEditorGroupBox"}},
        {"QCheckBox", {"potentialSceneActiveCheckBox", "potentialObjectEnabledCheckBox", "viewportEditCheckBox"}},
        {"QListWidget", {"potentialSceneListWidget"}},
        {"QPushButton", {"addPotentialObjectButton", "updatePotentialObjectButton", "deletePotentialObjectButton",
                         "clearPotentialSceneButton"}},
        {"QComboBox", {"geometryComboBox", "viewportEditToolComboBox"}},
        {"QLabel", {"potentialSceneHintLabel", "geometryLabel", "viewportEditToolLabel", "viewportEditorHintLabel",
                    "nonePotentialLabel", "rectangleV0Label", "rectangleCenterXLabel", "rectangleCenterYLabel",
                    "rectangleWidthLabel", "rectangleHeightLabel", "circleV0Label", "circleCenterXLabel",
                    "circleCenterYLabel", "circleRadiusLabel", "barrierV0Label", "barrierCenterXLabel",
                    "barrierCenterYLabel", "barrierLengthLabel", "barrierThicknessLabel", "singleSlitV0Label",
                    "singleSlitCenterXLabel", "singleSlitWallWidthLabel", "singleSlitCenterYLabel",
                    "singleSlitHeightLabel", "doubleSlitV0Label", "doubleSlitCenterXLabel",
                    "doubleSlitWallWidthLabel", "doubleSlitCenterYLabel", "doubleSlitSeparationLabel",
                    "doubleSlitHeightLabel", "polygonV0Label", "polygonCenterXLabel", "polygonCenterYLabel",
                    "polygonWidthLabel", "polygonHeightLabel", "gaussianAmplitudeLabel", "gaussianCenterXLabel",
                    "gaussianCenterYLabel", "gaussianSigmaXLabel", "gaussianSigmaYLabel", "harmonicOffsetLabel",
                    "harmonicCenterXLabel", "harmonicCenterYLabel", "harmonicKxLabel", "harmonicKyLabel",
                    "linearOffsetLabel", "linearCenterXLabel", "linearCenterYLabel", "linearSlopeXLabel",
                    "linearSlopeYLabel", "radialCouplingLabel", "radialCenterXLabel", "radialCenterYLabel",
                    "radialSofteningLabel", "stadiumV0Label", "stadiumCenterXLabel", "stadiumCenterYLabel",
                    "stadiumStraightLabel", "stadiumRadiusLabel"}},
        {"QDoubleSpinBox",
         {"rectangleV0SpinBox", "rectangleCenterXSpinBox", "rectangleCenterYSpinBox", "rectangleWidthSpinBox",
          "rectangleHeightSpinBox", "circleV0SpinBox", "circleCenterXSpinBox", "circleCenterYSpinBox",
          "circleRadiusSpinBox", "barrierV0SpinBox", "barrierCenterXSpinBox", "barrierCenterYSpinBox",
          "barrierLengthSpinBox", "barrierThicknessSpinBox", "singleSlitV0SpinBox", "singleSlitCenterXSpinBox",
          "singleSlitWallWidthSpinBox", "singleSlitCenterYSpinBox", "singleSlitHeightSpinBox", "doubleSlitV0SpinBox",
          "doubleSlitCenterXSpinBox", "doubleSlitWallWidthSpinBox", "doubleSlitCenterYSpinBox",
          "doubleSlitSeparationSpinBox", "doubleSlitHeightSpinBox", "polygonV0SpinBox", "polygonCenterXSpinBox",
          "polygonCenterYSpinBox", "polygonWidthSpinBox", "polygonHeightSpinBox", "gaussianAmplitudeSpinBox",
          "gaussianCenterXSpinBox", "gaussianCenterYSpinBox", "gaussianSigmaXSpinBox", "gaussianSigmaYSpinBox",
          "harmonicOffsetSpinBox", "harmonicCenterXSpinBox", "harmonicCenterYSpinBox", "harmonicKxSpinBox",
          "harmonicKySpinBox", "linearOffsetSpinBox", "linearCenterXSpinBox", "linearCenterYSpinBox",
          "linearSlopeXSpinBox", "linearSlopeYSpinBox", "radialCouplingSpinBox", "radialCenterXSpinBox",
          "radialCenterYSpinBox", "radialSofteningSpinBox", "stadiumV0SpinBox", "stadiumCenterXSpinBox",
          "stadiumCenterYSpinBox", "stadiumStraightSpinBox", "stadiumRadiusSpinBox"}},

        // --- Dynamics sub-tab
        {"QWidget", {"experimentDynamicsPage", "quenchControlPage", "periodicDriveControlPage",
                     "linearSweepControlPage", "ramseyControlPage", "berryControlPage", "loschmidtControlPage",
                     "moshinskyControlPage", "kapitzaDiracControlPage", "aharonovBohmControlPage", "landauControlPage",
                     "hallEdgeControlPage", "backflowControlPage", "zitterControlPage", "kleinControlPage"}},
        {"QVBoxLayout", {"experimentDynamicsLayout", "quenchControlPageLayout", "quantumQuenchLayout",
                         "periodicDriveControlPageLayout", "periodicDriveLayout", "linearSweepControlPageLayout",
                         "linearSweepLayout", "ramseyControlPageLayout", "ramseySequenceLayout", "berryControlLayout",
                         "loschmidtControlLayout", "moshinskyControlLayout", "kapitzaDiracControlLayout",
                         "aharonovBohmControlLayout", "landauControlLayout", "hallEdgeControlLayout",
                         "backflowControlLayout", "zitterControlLayout", "kleinControlLayout"}},
        {"QTabWidget", {"timeDependentSubTabWidget"}},
        {"QGroupBox", {"quantumQuenchGroupBox", "periodicDriveGroupBox", "linearSweepGroupBox",
                       "ramseySequenceGroupBox", "berryLoopGroupBox", "loschmidtGroupBox", "moshinskyGroupBox",
                       "kapitzaDiracGroupBox", "aharonovBohmGroupBox", "landauGroupBox", "hallEdgeGroupBox",
                       "backflowGroupBox", "zitterGroupBox", "kleinGroupBox"}},
        {"QCheckBox", {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
                       "linearSweepReturnCheckBox", "ramseyEnabledCheckBox", "ramseyEchoEnabledCheckBox",
                       "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
                       "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox", "landauEnabledCheckBox",
                       "hallEdgeEnabledCheckBox", "backflowEnabledCheckBox", "zitterEnabledCheckBox",
                       "kleinEnabledCheckBox"}},
        {"QFormLayout", {"quantumQuenchFormLayout", "periodicDriveFormLayout", "linearSweepFormLayout",
                         "ramseySequenceFormLayout", "berryLoopFormLayout", "loschmidtFormLayout",
                         "moshinskyFormLayout", "kapitzaDiracFormLayout", "aharonovBohmFormLayout", "landauFormLayout",
                         "hallEdgeFormLayout", "backflowFormLayout", "zitterFormLayout", "kleinFormLayout"}},
        {"QLabel", {"quenchTargetLabel", "quenchParameterLabel", "quenchTimeLabel", "quenchBeforeLabel",
                    "quenchAfterLabel", "quenchHintLabel", "periodicDriveTargetLabel", "periodicDriveParameterLabel",
                    "periodicDriveMeanLabel", "periodicDriveAmplitudeLabel", "periodicDriveOmegaLabel",
                    "periodicDrivePhaseLabel", "periodicDriveHintLabel", "linearSweepTargetLabel",
                    "linearSweepParameterLabel", "linearSweepStartValueLabel", "linearSweepEndValueLabel",
                    "linearSweepStartTimeLabel", "linearSweepDurationLabel", "linearSweepReturnLabel",
                    "linearSweepHoldDurationLabel", "linearSweepReturnDurationLabel", "linearSweepHintLabel",
                    "ramseyTargetLabel", "ramseyParameterLabel", "ramseyMeanLabel", "ramseyAmplitudeLabel",
                    "ramseyOmegaLabel", "ramseyPulseDurationLabel", "ramseyFreeDurationLabel", "ramseyStartTimeLabel",
                    "ramseyFirstPhaseLabel", "ramseySecondPhaseLabel", "ramseyEchoEnabledLabel",
                    "ramseyEchoDurationLabel", "ramseyEchoPhaseLabel", "ramseyHintLabel", "berryAnisotropyLabel",
                    "berryStartTimeLabel", "berryDurationLabel", "berryWindingLabel", "berryControlHintLabel",
                    "loschmidtTimeLabel", "loschmidtMomentumErrorXLabel", "loschmidtMomentumErrorYLabel",
                    "loschmidtControlHintLabel", "moshinskyTargetLabel", "moshinskyOpenTimeLabel",
                    "moshinskyDetectorXLabel", "moshinskyAnalysisEndTimeLabel", "moshinskyControlHintLabel",
                    "kapitzaDiracPeriodLabel", "kapitzaDiracDepthLabel", "kapitzaDiracPhaseLabel",
                    "kapitzaDiracStartLabel", "kapitzaDiracDurationLabel", "kapitzaDiracAnalysisEndLabel",
                    "kapitzaDiracOrderLabel", "kapitzaDiracControlHintLabel", "aharonovBohmFluxLabel",
                    "aharonovBohmRadiusLabel", "aharonovBohmCenterXLabel", "aharonovBohmCenterYLabel",
                    "aharonovBohmBarrierLabel", "aharonovBohmDetectorXLabel", "aharonovBohmAnalysisEndLabel",
                    "aharonovBohmControlHintLabel", "landauFieldLabel", "landauPreparationLabel", "landauIndexLabel",
                    "landauOrbitRadiusLabel", "landauAnalysisEndLabel", "landauControlHintLabel", "hallEdgeFieldLabel",
                    "hallEdgeYLabel", "hallEdgeWallLabel", "hallEdgeLaunchYLabel", "hallEdgeRadiusLabel",
                    "hallEdgeSigmaLabel", "hallEdgeBandLabel", "hallEdgeAnalysisEndLabel", "hallEdgeControlHintLabel",
                    "backflowDetectorLabel", "backflowSlowKLabel", "backflowFastKLabel", "backflowKSigmaLabel",
                    "backflowRatioLabel", "backflowPhaseLabel", "backflowCenterXLabel", "backflowTransverseSigmaLabel",
                    "backflowAnalysisEndLabel", "backflowControlHintLabel", "zitterLightSpeedLabel", "zitterMassLabel",
                    "zitterCenterXLabel", "zitterCenterYLabel", "zitterSigmaLabel", "zitterMomentumXLabel",
                    "zitterMomentumYLabel", "zitterPreparationLabel", "zitterAnalysisEndLabel",
                    "zitterControlHintLabel", "kleinLightSpeedLabel", "kleinMassLabel", "kleinCenterXLabel",
                    "kleinSigmaLabel", "kleinPxLabel", "kleinPyLabel", "kleinBarrierCenterLabel",
                    "kleinBarrierWidthLabel", "kleinBarrierHeightLabel", "kleinDetectorXLabel", "kleinAnalysisEndLabel",
                    "kleinControlHintLabel"}},
        {"QComboBox", {"quenchTargetComboBox", "quenchParameterComboBox", "periodicDriveTargetComboBox",
                       "periodicDriveParameterComboBox", "linearSweepTargetComboBox", "linearSweepParameterComboBox",
                       "ramseyTargetComboBox", "ramseyParameterComboBox", "berryWindingComboBox",
                       "moshinskyTargetComboBox", "landauPreparationComboBox", "zitterPreparationComboBox"}},
        {"QDoubleSpinBox", {"quenchTimeSpinBox", "quenchBeforeSpinBox", "quenchAfterSpinBox",
                            "periodicDriveMeanSpinBox", "periodicDriveAmplitudeSpinBox", "periodicDriveOmegaSpinBox",
                            "periodicDrivePhaseSpinBox", "linearSweepStartValueSpinBox", "linearSweepEndValueSpinBox",
                            "linearSweepStartTimeSpinBox", "linearSweepDurationSpinBox",
                            "linearSweepHoldDurationSpinBox", "linearSweepReturnDurationSpinBox", "ramseyMeanSpinBox",
                            "ramseyAmplitudeSpinBox", "ramseyOmegaSpinBox", "ramseyPulseDurationSpinBox",
                            "ramseyFreeDurationSpinBox", "ramseyStartTimeSpinBox", "ramseyFirstPhaseSpinBox",
                            "ramseySecondPhaseSpinBox", "ramseyEchoDurationSpinBox", "ramseyEchoPhaseSpinBox",
                            "berryAnisotropySpinBox", "berryStartTimeSpinBox", "berryDurationSpinBox",
                            "loschmidtTimeSpinBox", "loschmidtMomentumErrorXSpinBox", "loschmidtMomentumErrorYSpinBox",
                            "moshinskyOpenTimeSpinBox", "moshinskyDetectorXSpinBox", "moshinskyAnalysisEndTimeSpinBox",
                            "kapitzaDiracPeriodSpinBox", "kapitzaDiracDepthSpinBox", "kapitzaDiracPhaseSpinBox",
                            "kapitzaDiracStartSpinBox", "kapitzaDiracDurationSpinBox", "kapitzaDiracAnalysisEndSpinBox",
                            "aharonovBohmFluxSpinBox", "aharonovBohmRadiusSpinBox", "aharonovBohmCenterXSpinBox",
                            "aharonovBohmCenterYSpinBox", "aharonovBohmBarrierSpinBox", "aharonovBohmDetectorXSpinBox",
                            "aharonovBohmAnalysisEndSpinBox", "landauFieldSpinBox", "landauOrbitRadiusSpinBox",
                            "landauAnalysisEndSpinBox", "hallEdgeFieldSpinBox", "hallEdgeYSpinBox",
                            "hallEdgeWallSpinBox", "hallEdgeLaunchYSpinBox", "hallEdgeRadiusSpinBox",
                            "hallEdgeSigmaSpinBox", "hallEdgeBandSpinBox", "hallEdgeAnalysisEndSpinBox",
                            "backflowDetectorSpinBox", "backflowSlowKSpinBox", "backflowFastKSpinBox",
                            "backflowKSigmaSpinBox", "backflowRatioSpinBox", "backflowPhaseSpinBox",
                            "backflowCenterXSpinBox", "backflowTransverseSigmaSpinBox", "backflowAnalysisEndSpinBox",
                            "zitterLightSpeedSpinBox", "zitterMassSpinBox", "zitterCenterXSpinBox",
                            "zitterCenterYSpinBox", "zitterSigmaSpinBox", "zitterMomentumXSpinBox",
                            "zitterMomentumYSpinBox", "zitterAnalysisEndSpinBox", "kleinLightSpeedSpinBox",
                            "kleinMassSpinBox", "kleinCenterXSpinBox", "kleinSigmaSpinBox", "kleinPxSpinBox",
                            "kleinPySpinBox", "kleinBarrierCenterSpinBox", "kleinBarrierWidthSpinBox",
                            "kleinBarrierHeightSpinBox", "kleinDetectorXSpinBox", "kleinAnalysisEndSpinBox"}},
        {"QSpinBox", {"kapitzaDiracOrderSpinBox", "landauIndexSpinBox"}},
        {"QPushButton", {"aharonovBohmApplyButton", "landauApplyButton", "hallEdgeApplyButton", "backflowApplyButton",
                         "zitterApplyButton", "kleinApplyButton"}},

        // --- Wave Packet and Measurement tabs
        {"QWidget", {"wavePacketTab", "measurementTab", "scrollAreaWidgetContents"}},
        {"QVBoxLayout", {"wavePacketTabLayout", "verticalLayout_2", "verticalLayout"}},
        {"QGroupBox",
         {"initialStateGroupBox", "positionMeasurementGroupBox", "singleSystemCollapseGroupBox",
          "detectorScreenGroupBox"}},
        {"QFormLayout",
         {"packetFormLayout", "positionMeasurementFormLayout", "singleSystemCollapseFormLayout",
          "detectorScreenFormLayout"}},
        {"QLabel",
         {"centerXLabel", "centerYLabel", "sigmaLabel", "momentumLabel", "momentumYLabel", "massLabel", "energyLabel",
          "energyValueLabel", "measurementInfoLabel", "measurementShotsLabel", "measurementVisibleLabel",
          "measurementPointSizeLabel", "measurementTotalLabel", "measurementTotalValueLabel",
          "measurementConditionLabel", "collapseInfoLabel", "collapseResolutionLabel", "collapseOutcomeLabel",
          "collapseOutcomeValueLabel", "collapsePositionSpreadLabel", "collapsePositionSpreadValueLabel",
          "collapseMomentumSpreadLabel", "collapseMomentumSpreadValueLabel", "collapseContinueLabel",
          "measurementModeLabel", "detectorXLabel", "detectorThicknessLabel", "detectorBinsLabel",
          "detectorVisibleLabel", "detectorFluxLabel", "detectorFluxValueLabel", "detectorReferenceLabel",
          "detectorTvdLabel", "detectorTvdValueLabel"}},
        {"QDoubleSpinBox",
         {"centerXSpinBox", "centerYSpinBox", "sigmaSpinBox", "momentumSpinBox", "momentumYSpinBox", "massSpinBox",
          "measurementPointSizeSpinBox", "collapseResolutionSpinBox", "detectorXSpinBox", "detectorThicknessSpinBox"}},
        {"QScrollArea", {"scrollArea"}},
        {"QComboBox", {"measurementShotsComboBox", "measurementModeComboBox"}},
        {"QPushButton",
         {"measurePositionButton", "clearMeasurementsButton", "collapsePositionButton", "clearDetectorFluxButton"}},
        {"QCheckBox", {"measurementVisibleCheckBox", "detectorVisibleCheckBox", "detectorReferenceCheckBox"}},
        {"QSpinBox", {"detectorBinsSpinBox"}},

        // --- Rendering tab
        {"QWidget", {"renderingTab", "renderingScrollContents"}},
        {"QVBoxLayout", {"renderingTabLayout", "renderingControlsLayout"}},
        {"QScrollArea", {"renderingScrollArea"}},
        {"QGroupBox",
         {"viewGroupBox", "potentialContoursGroupBox", "probabilityContoursGroupBox", "currentGroupBox",
          "presetGroupBox", "postProcessGroupBox"}},
        {"QFormLayout",
         {"viewFormLayout", "potentialContoursFormLayout", "probabilityContoursFormLayout", "currentFormLayout",
          "displayFormLayout", "postProcessFormLayout"}},
        {"QLabel",
         {"spaceLabel", "viewLabel", "paletteLabel", "potentialOverlayLabel", "potentialOverlayOpacityLabel",
          "potentialContoursLabel", "potentialContourLevelsLabel", "potentialContourWidthLabel",
          "potentialContourOpacityLabel", "probabilityContoursLabel", "probabilityContourSpacingLabel",
          "probabilityContourLevelsLabel", "probabilityContourDecadesLabel", "probabilityContourWidthLabel",
          "probabilityContourOpacityLabel", "currentOverlayLabel", "currentModeLabel", "currentSpacingLabel",
          "currentScaleLabel", "streamlineLengthLabel", "graphicsPresetLabel", "displayScaleLabel", "exposureLabel",
          "gammaLabel", "postPreviewLabel", "brightThresholdLabel", "brightKneeLabel", "blurSpreadLabel",
          "bloomStrengthLabel", "toneMapLabel"}},
        {"QComboBox",
         {"spaceComboBox", "viewComboBox", "paletteComboBox", "probabilityContourSpacingComboBox",
          "currentModeComboBox", "graphicsPresetComboBox", "displayScaleComboBox", "postPreviewComboBox",
          "toneMapComboBox"}},
        {"QCheckBox",
         {"potentialOverlayCheckBox", "potentialContoursCheckBox", "probabilityContoursCheckBox",
          "currentOverlayCheckBox"}},
        {"QDoubleSpinBox",
         {"potentialOverlayOpacitySpinBox", "potentialContourWidthSpinBox", "potentialContourOpacitySpinBox",
          "probabilityContourDecadesSpinBox", "probabilityContourWidthSpinBox", "probabilityContourOpacitySpinBox",
          "currentScaleSpinBox", "exposureSpinBox", "gammaSpinBox", "brightThresholdSpinBox", "brightKneeSpinBox",
          "blurSpreadSpinBox", "bloomStrengthSpinBox"}},
        {"QSpinBox",
         {"potentialContourLevelsSpinBox", "probabilityContourLevelsSpinBox", "currentSpacingSpinBox",
          "streamlineLengthSpinBox"}},
        {"QPushButton", {"displayResetButton"}},

        // --- Analysis dock
        {"QWidget",
         {"crossSectionTab", "experimentAnalysisTab", "timeSeriesTab", "resonanceTab", "boundStatesTab",
          "doubleWellTab", "quenchTab", "periodicDriveTab", "rabiTab", "landauZenerTab", "stueckelbergTab", "ramseyTab",
          "blochTab", "revivalsTab", "billiardsTab", "talbotTab", "bouncerTab", "vortexTab", "andersonTab",
          "kickedRotorTab", "zenoTab", "scarsTab", "berryTab", "loschmidtTab", "moshinskyTab", "kapitzaDiracTab",
          "aharonovBohmTab", "landauTab", "hallEdgeTab", "backflowTab", "zitterTab", "kleinTab", "kleinAngleScanTab",
          "kleinHeightScanTab", "kleinMassScanTab", "diracMasslessTab"}},
        {"QVBoxLayout",
         {"crossSectionTabLayout", "experimentAnalysisTabLayout", "timeSeriesTabLayout", "resonanceTabLayout",
          "boundStatesTabLayout", "doubleWellTabLayout", "quenchTabLayout", "periodicDriveTabLayout", "rabiTabLayout",
          "landauZenerTabLayout", "stueckelbergTabLayout", "ramseyTabLayout", "blochTabLayout", "revivalsTabLayout",
          "billiardsTabLayout", "talbotTabLayout", "bouncerTabLayout", "vortexTabLayout", "andersonTabLayout",
          "kickedRotorTabLayout", "zenoTabLayout", "scarsTabLayout", "berryTabLayout", "loschmidtTabLayout",
          "moshinskyTabLayout", "kapitzaDiracTabLayout", "aharonovBohmTabLayout", "landauTabLayout",
          "hallEdgeTabLayout", "backflowTabLayout", "zitterTabLayout", "kleinTabLayout", "kleinAngleScanTabLayout",
          "kleinHeightScanTabLayout", "kleinMassScanTabLayout", "diracMasslessTabLayout"}},
        {"QHBoxLayout",
         {"crossSectionControlsLayout", "crossSectionCurveLayout", "analysisPageHeaderLayout", "timeSeriesControlsLayout",
          "resonanceControlsLayout", "resonanceScanPointsLayout", "boundStateComputeLayout", "boundStateSelectLayout",
          "boundSuperpositionLayout", "boundSuperpositionPhaseLayout", "ramseyEnsembleLayout",
          "kickedRotorControlsLayout", "zenoControlsLayout", "scarsControlsLayout"}},
        {"QLabel",
         {"crossSectionAxisLabel", "crossSectionPositionLabel", "crossSectionCurveLabel",
          "crossSectionActualCaptionLabel", "crossSectionActualValueLabel", "analysisPageTitleLabel",
          "timeSeriesQuantityLabel", "timeSeriesSampleCountLabel", "resonanceScanModeLabel", "resonanceScanMinLabel",
          "resonanceScanMaxLabel", "resonanceScanPointsLabel", "resonanceSummaryLabel", "boundMaxStatesLabel",
          "boundStateSelectLabel", "boundSuperpositionLabel", "boundPlusLabel", "boundPhaseLabel", "boundSummaryLabel",
          "doubleWellSummaryLabel", "quenchSummaryLabel", "periodicDriveSummaryLabel", "rabiSummaryLabel",
          "landauZenerSummaryLabel", "stueckelbergSummaryLabel", "ramseyEnsembleSigmaLabel",
          "ramseyEnsembleMembersLabel", "ramseyEnsembleHintLabel", "ramseySummaryLabel", "blochTutorLabel",
          "blochSummaryLabel", "revivalTutorLabel", "revivalSummaryLabel", "billiardTutorLabel", "billiardSummaryLabel",
          "talbotTutorLabel", "talbotSummaryLabel", "bouncerTutorLabel", "bouncerSummaryLabel", "vortexTutorLabel",
          "vortexSummaryLabel", "andersonTutorLabel", "andersonSummaryLabel", "kickedRotorTutorLabel",
          "kickedRotorStrengthLabel", "kickedRotorPeriodLabel", "kickedRotorSummaryLabel", "zenoTutorLabel",
          "zenoMeasurementPeriodLabel", "zenoSummaryLabel", "scarsTutorLabel", "scarEnergyLabel", "scarBandLabel",
          "scarSummaryLabel", "berryTutorLabel", "berrySummaryLabel", "loschmidtTutorLabel", "loschmidtSummaryLabel",
          "moshinskyTutorLabel", "moshinskySummaryLabel", "kapitzaDiracTutorLabel", "kapitzaDiracSummaryLabel",
          "aharonovBohmTutorLabel", "aharonovBohmSummaryLabel", "landauTutorLabel", "landauSummaryLabel",
          "hallEdgeTutorLabel", "hallEdgeSummaryLabel", "backflowTutorLabel", "backflowSummaryLabel",
          "zitterTutorLabel", "zitterSummaryLabel", "kleinTutorLabel", "kleinSummaryLabel", "kleinAngleScanTutorLabel",
          "kleinAngleScanSummaryLabel", "kleinHeightScanTutorLabel", "kleinHeightScanSummaryLabel",
          "kleinMassScanTutorLabel", "kleinMassScanSummaryLabel", "diracMasslessTutorLabel", "diracMasslessSummaryLabel"}},
        {"QComboBox",
         {"crossSectionAxisComboBox", "crossSectionCurveComboBox", "analysisPageComboBox", "timeSeriesQuantityComboBox",
          "resonanceScanModeComboBox", "boundStateComboBox", "boundSuperpositionAComboBox",
          "boundSuperpositionBComboBox"}},
        {"QDoubleSpinBox",
         {"crossSectionPositionSpinBox", "resonanceScanMinSpinBox", "resonanceScanMaxSpinBox",
          "boundRelativePhaseSpinBox", "ramseyEnsembleSigmaSpinBox", "kickedRotorStrengthSpinBox",
          "kickedRotorPeriodSpinBox", "zenoMeasurementPeriodSpinBox", "scarEnergySpinBox", "scarBandSpinBox"}},
        {"QCheckBox", {"crossSectionLineCheckBox", "ramseyEnsembleEnabledCheckBox"}},
        {"vxo::QuantumCrossSectionPlotWidget", {"crossSectionPlotWidget"}},
        {"QScrollArea", {"analysisScrollArea"}},
        {"QStackedWidget", {"analysisStackedWidget"}},
        {"QPushButton",
         {"clearTimeSeriesButton", "resonanceRefreshButton", "boundComputeButton", "boundPrepareEigenButton",
          "boundPrepareSuperpositionButton", "kickedRotorApplyButton", "zenoApplyButton", "scarApplyButton"}},
        {"vxo::QuantumTimeSeriesPlotWidget", {"timeSeriesPlotWidget"}},
        {"QSpinBox", {"resonanceScanPointsSpinBox", "boundMaxStatesSpinBox", "ramseyEnsembleMembersSpinBox"}},
        {"vxo::QuantumResonancePlotWidget", {"resonancePlotWidget"}},
        {"vxo::QuantumBoundStatePlotWidget", {"boundStatePlotWidget"}},
        {"vxo::QuantumDoubleWellPlotWidget", {"doubleWellPlotWidget"}},
        {"vxo::QuantumQuenchPlotWidget", {"quenchPlotWidget"}},
        {"vxo::QuantumDrivePlotWidget", {"periodicDrivePlotWidget"}},
        {"vxo::QuantumRabiPlotWidget", {"rabiPlotWidget"}},
        {"vxo::QuantumLandauZenerPlotWidget", {"landauZenerPlotWidget"}},
        {"vxo::QuantumStueckelbergPlotWidget", {"stueckelbergPlotWidget"}},
        {"QGroupBox", {"ramseyEnsembleGroupBox"}},
        {"vxo::QuantumRamseyPlotWidget", {"ramseyPlotWidget"}},
        {"vxo::QuantumBlochPlotWidget", {"blochPlotWidget"}},
        {"vxo::QuantumRevivalPlotWidget", {"revivalPlotWidget"}},
        {"vxo::QuantumBilliardPlotWidget", {"billiardPlotWidget"}},
        {"vxo::QuantumTalbotPlotWidget", {"talbotPlotWidget"}},
        {"vxo::QuantumBouncerPlotWidget", {"bouncerPlotWidget"}},
        {"vxo::QuantumVortexPlotWidget", {"vortexPlotWidget"}},
        {"vxo::QuantumAndersonPlotWidget", {"andersonPlotWidget"}},
        {"vxo::QuantumKickedRotorPlotWidget", {"kickedRotorPlotWidget"}},
        {"vxo::QuantumZenoPlotWidget", {"zenoPlotWidget"}},
        {"vxo::QuantumScarPlotWidget", {"scarPlotWidget"}},
        {"vxo::QuantumBerryPhasePlotWidget", {"berryPlotWidget"}},
        {"vxo::QuantumLoschmidtPlotWidget", {"loschmidtPlotWidget"}},
        {"vxo::QuantumMoshinskyPlotWidget", {"moshinskyPlotWidget"}},
        {"vxo::QuantumKapitzaDiracPlotWidget", {"kapitzaDiracPlotWidget"}},
        {"vxo::QuantumAharonovBohmPlotWidget", {"aharonovBohmPlotWidget"}},
        {"vxo::QuantumLandauPlotWidget", {"landauPlotWidget"}},
        {"vxo::QuantumHallEdgePlotWidget", {"hallEdgePlotWidget"}},
        {"vxo::QuantumBackflowPlotWidget", {"backflowPlotWidget"}},
        {"vxo::QuantumZitterbewegungPlotWidget", {"zitterPlotWidget"}},
        {"vxo::QuantumKleinTunnelingPlotWidget", {"kleinPlotWidget"}},
        {"vxo::QuantumKleinAngleScanPlotWidget", {"kleinAngleScanPlotWidget"}},
        {"vxo::QuantumKleinHeightScanPlotWidget", {"kleinHeightScanPlotWidget"}},
        {"vxo::QuantumKleinMassScanPlotWidget", {"kleinMassScanPlotWidget"}},
        {"vxo::QuantumDiracMasslessComparisonPlotWidget", {"diracMasslessPlotWidget"}},
    };
    return groups;
}

TEST(FormContractTest, EveryListedObjectExistsOnceWithItsClassAndNoOtherIsNamed)
{
    BareForm form;
    std::set<QString> listed;
    for (const ObjectGroup& group : formObjects())
        for (const char* name : group.names) {
            EXPECT_TRUE(listed.insert(QString::fromLatin1(name)).second) << name << " is listed twice";
            const QList<QObject*> found = name == form.window.objectName()
                                              ? QList<QObject*>{&form.window}
                                              : form.window.findChildren<QObject*>(QString::fromLatin1(name));
            ASSERT_EQ(found.size(), 1) << name << " should exist exactly once";
            EXPECT_TRUE(hasClass(found.front(), group.className))
                << name << " is a " << found.front()->metaObject()->className() << ", not a " << group.className;
        }
    // A misspelt name would leave its object outside the table. The toolkit
    // names some children of its own: "qt_...", the tab bars' scroll buttons
    // and the main window's layout.
    const std::set<QString> toolkitNames = {"ScrollLeftButton", "ScrollRightButton", "_layout"};
    for (const QObject* object : form.window.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || toolkitNames.count(name) == 1)
            continue;
        EXPECT_TRUE(listed.count(name) == 1) << name.toStdString() << " is named but not in the contract";
    }
}

struct ComboItems {
    const char* combo;
    QStringList items;
};

// Combo boxes whose items the main window reads by index.
const std::vector<ComboItems>& fixedComboItems()
{
    // The index is a drive record's parameter code.
    static const QStringList kDriveParameterItems = {"Object value / amplitude", "Center X", "Center Y", "Harmonic kX", "Harmonic kY", "Harmonic kX + kY",
                                                    "Linear slope X", "Linear slope Y"};
    static const std::vector<ComboItems> combos = {
        // --- Window frame
        {"speedComboBox", {"0.25x", "0.50x", "1.00x", "2.00x", "4.00x", "8.00x", "16.00x"}},

        // --- Experiment tab and its Setup page
        {"experimentPresetComboBox",
         {"Free Wave Packet", "Barrier Scattering (E > V0)", "Quantum Tunneling (E < V0)", "Single Slit Diffraction",
          "Double Slit Interference", "Circular Obstacle Scattering", "Wedge Diffraction",
          "Resonant Tunneling (Double Barrier)", "Harmonic Trap (Coherent Motion)", "Gaussian Well (Breathing State)",
          "Finite Quantum Well (Bound States)", "Measurement Collapse (Single System)",
          "Coherent Tunneling (Double Well)", "Quantum Quench (Trap Stiffness)",
          "Driven Harmonic Trap (Off Resonance)", "Driven Harmonic Trap (Resonance)",
          "Driven Double Well (Off Resonance)", "Driven Double Well (Rabi Resonance)",
          "Landau-Zener Sweep (Fast / Diabatic)", "Landau-Zener Sweep (Adiabatic)",
          "Landau-Zener-Stueckelberg (Constructive)", "Landau-Zener-Stueckelberg (Destructive)",
          "Ramsey Interferometry (Transfer Fringe)", "Ramsey Interferometry (Return Fringe)",
          "Hahn Echo (Phase Refocusing)"}},
        {"gridResolutionComboBox", {"256 x 256", "512 x 512", "1024 x 1024"}},
        {"boundaryModeComboBox", {"Periodic (FFT)", "Absorbing layer (CAP)"}},

        // --- Potential sub-tab: scene and object editor
        {"geometryComboBox",
         {"None", "Rectangle", "Circle", "Barrier", "Single Slit", "Double Slit", "Polygon", "Gaussian", "Harmonic",
          "Linear", "Softened Radial", "Stadium Exterior"}},
        {"viewportEditToolComboBox", {"Rectangle", "Circle"}},

        // --- Dynamics sub-tab
        {"quenchParameterComboBox", kDriveParameterItems},
        {"periodicDriveParameterComboBox", kDriveParameterItems},
        {"linearSweepParameterComboBox", kDriveParameterItems},
        {"ramseyParameterComboBox", kDriveParameterItems},
        // Filled with Potential Scene objects by the main window.
        {"quenchTargetComboBox", {}},
        {"periodicDriveTargetComboBox", {}},
        {"linearSweepTargetComboBox", {}},
        {"ramseyTargetComboBox", {}},
        {"moshinskyTargetComboBox", {}},
        {"berryWindingComboBox", {"+1 (CCW)", "-1 (CW)"}},
        {"landauPreparationComboBox", {"Cyclotron packet", "Landau eigenstate"}},
        {"zitterPreparationComboBox", {"Mixed +/- energy (visible ZB)", "Positive-energy control"}},

        // --- Wave Packet and Measurement tabs
        {"measurementShotsComboBox", {"1", "10", "100", "1000", "10000"}},
        {"measurementModeComboBox", {"Full plane snapshot", "Detector screen snapshot", "Detector screen temporal flux"}},

        // --- Rendering tab
        {"spaceComboBox", {"Position (x,y)", "Momentum (p_x,p_y)"}},
        {"viewComboBox", {"Probability |psi|^2", "Phase arg(psi)", "Real Re(psi)", "Imaginary Im(psi)"}},
        {"paletteComboBox", {"Scientific", "Viridis-like", "Grayscale"}},
        {"probabilityContourSpacingComboBox", {"Linear", "Logarithmic"}},
        {"currentModeComboBox", {"Vectors", "Streamlines", "Both"}},
        {"graphicsPresetComboBox", {"Scientific", "Presentation", "Cinematic", "Custom"}},
        {"displayScaleComboBox", {"Linear", "Log (~3 decades)"}},
        {"postPreviewComboBox", {"Scene", "Bright Pass", "Gaussian Blur", "Bloom"}},
        {"toneMapComboBox", {"Off / Clip", "Reinhard", "ACES Filmic"}},

        // --- Analysis dock
        {"crossSectionAxisComboBox", {"Horizontal: vary X", "Vertical: vary Y"}},
        {"crossSectionCurveComboBox", {"Probability |psi|^2", "Real Re(psi)", "Imaginary Im(psi)", "Phase arg(psi)"}},
        {"timeSeriesQuantityComboBox",
         {"Mean X <x>", "Mean Y <y>", "Sigma X", "Sigma Y", "Norm", "Absorbed probability", "Reflection P_R",
          "Transmission P_T", "Kinetic energy <T>", "Potential energy <V>", "Total energy <H>", "Energy drift %",
          "Left well P_L", "Right well P_R"}},
        {"resonanceScanModeComboBox", {"Energy Ex", "Cavity width"}},
        // Filled by the main window.
        {"analysisPageComboBox", {}},
        {"boundStateComboBox", {}},
        {"boundSuperpositionAComboBox", {}},
        {"boundSuperpositionBComboBox", {}},
    };
    return combos;
}

TEST(FormContractTest, FixedComboBoxesHoldTheirItemsInIndexOrder)
{
    BareForm form;
    for (const ComboItems& row : fixedComboItems()) {
        const auto* combo = form.find<QComboBox>(row.combo);
        ASSERT_NE(combo, nullptr) << row.combo;
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
            EXPECT_FALSE(combo->itemData(i).isValid()) << row.combo << " item " << i << " carries data";
        }
        EXPECT_EQ(items, row.items) << row.combo << " holds " << items.join(" | ").toStdString();
    }
}

struct PageOrder {
    const char* container;
    // Page object names in index order, each followed by its tab text (empty
    // for a stacked widget).
    std::vector<std::pair<const char*, const char*>> pages;
};

// Tab and page orders: the saved window state and the main window address
// pages by index.
const std::vector<PageOrder>& pageOrders()
{
    static const std::vector<PageOrder> orders = {
        // --- Window frame
        {"controlsTabWidget",
         {{"experimentTab", "Experiment"},
          {"wavePacketTab", "Wave Packet"},
          {"measurementTab", "Measurement"},
          {"renderingTab", "Rendering"}}},
        {"analysisTabWidget", {{"crossSectionTab", "Cross-section"}, {"experimentAnalysisTab", "Experiment Analysis"}}},

        // --- Time, diagnostics and help docks
        {"helpLanguageTabWidget", {{"helpItalianTab", "Italiano"}, {"helpEnglishTab", "English"}}},

        // --- Experiment tab and its Setup page
        {"experimentSubTabWidget",
         {{"experimentSetupPage", "Setup"}, {"experimentPotentialPage", "Potential"}, {"experimentDynamicsPage", "Dynamics"}}},

        // --- Potential sub-tab: scene and object editor
        {"potentialSubTabWidget", {{"potentialScenePage", "Scene"}, {"potentialObjectPage", "Object"}}},
        {"geometryParametersStackedWidget",
         {{"nonePotentialPage", ""},
          {"rectanglePotentialPage", ""},
          {"circlePotentialPage", ""},
          {"barrierPotentialPage", ""},
          {"singleSlitPotentialPage", ""},
          {"doubleSlitPotentialPage", ""},
          {"polygonPotentialPage", ""},
          {"gaussianPotentialPage", ""},
          {"harmonicPotentialPage", ""},
          {"linearPotentialPage", ""},
          {"radialPotentialPage", ""},
          {"stadiumPotentialPage", ""}}},

        // --- Dynamics sub-tab
        {"timeDependentSubTabWidget",
         {{"quenchControlPage", "Quench"},
          {"periodicDriveControlPage", "Periodic"},
          {"linearSweepControlPage", "Sweep"},
          {"ramseyControlPage", "Ramsey"},
          {"berryControlPage", "Berry"},
          {"loschmidtControlPage", "Echo"},
          {"moshinskyControlPage", "Shutter"},
          {"kapitzaDiracControlPage", "K-D"},
          {"aharonovBohmControlPage", "A-B"},
          {"landauControlPage", "Landau"},
          {"hallEdgeControlPage", "Hall Edge"},
          {"backflowControlPage", "Backflow"},
          {"zitterControlPage", "Dirac / ZB"},
          {"kleinControlPage", "Klein"}}},

        // --- Analysis dock
    };
    return orders;
}

TEST(FormContractTest, TabsAndStackedPagesStandInTheirIndexOrder)
{
    BareForm form;
    for (const PageOrder& order : pageOrders()) {
        auto* tabs = form.find<QTabWidget>(order.container);
        auto* stack = form.find<QStackedWidget>(order.container);
        ASSERT_TRUE(tabs != nullptr || stack != nullptr) << order.container;
        const int count = tabs ? tabs->count() : stack->count();
        ASSERT_EQ(count, static_cast<int>(order.pages.size())) << order.container;
        for (int i = 0; i < count; ++i) {
            const QWidget* page = tabs ? tabs->widget(i) : stack->widget(i);
            EXPECT_EQ(page->objectName().toStdString(), order.pages[i].first) << order.container << " index " << i;
            if (tabs) {
                EXPECT_EQ(tabs->tabText(i).toStdString(), order.pages[i].second) << order.container << " index " << i;
            }
        }
    }
}

// The default current index of every combo box, tab widget and stacked widget
// that the closing block of set-up sets, and of the fixed combos it leaves at
// their first item.
const std::vector<std::pair<const char*, int>>& defaultIndices()
{
    static const std::vector<std::pair<const char*, int>> indices = {
        // --- Window frame
        {"speedComboBox", 2},
        {"controlsTabWidget", 0},
        {"analysisTabWidget", 0},

        // --- Time, diagnostics and help docks
        {"helpLanguageTabWidget", 0},

        // --- Experiment tab and its Setup page
        {"experimentSubTabWidget", 0},
        {"experimentPresetComboBox", 2},
        {"gridResolutionComboBox", 1},
        {"boundaryModeComboBox", 1},

        // --- Potential sub-tab: scene and object editor
        {"potentialSubTabWidget", 0},
        {"geometryComboBox", 3},
        {"geometryParametersStackedWidget", 3},
        {"viewportEditToolComboBox", 0},

        // --- Dynamics sub-tab
        {"timeDependentSubTabWidget", 0},
        {"quenchParameterComboBox", 0},
        {"periodicDriveParameterComboBox", 0},
        {"linearSweepParameterComboBox", 0},
        {"ramseyParameterComboBox", 0},
        {"quenchTargetComboBox", -1},
        {"periodicDriveTargetComboBox", -1},
        {"linearSweepTargetComboBox", -1},
        {"ramseyTargetComboBox", -1},
        {"moshinskyTargetComboBox", -1},
        {"berryWindingComboBox", 0},
        {"landauPreparationComboBox", 0},
        {"zitterPreparationComboBox", 0},

        // --- Wave Packet and Measurement tabs
        {"measurementShotsComboBox", 2},
        {"measurementModeComboBox", 1},

        // --- Rendering tab
        {"spaceComboBox", 0},
        {"viewComboBox", 0},
        {"paletteComboBox", 0},
        {"probabilityContourSpacingComboBox", 1},
        {"currentModeComboBox", 1},
        {"graphicsPresetComboBox", 2},
        {"displayScaleComboBox", 0},
        {"postPreviewComboBox", 3},
        {"toneMapComboBox", 2},

        // --- Analysis dock
        {"analysisStackedWidget", 0},
        {"crossSectionAxisComboBox", 0},
        {"crossSectionCurveComboBox", 0},
        {"timeSeriesQuantityComboBox", 0},
        {"resonanceScanModeComboBox", 0},
        {"analysisPageComboBox", -1},
    };
    return indices;
}

TEST(FormContractTest, ControlsStartAtTheirDefaultIndex)
{
    BareForm form;
    for (const auto& [name, index] : defaultIndices()) {
        const QObject* control = form.find(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->property("currentIndex").toInt(), index) << name;
    }
}

struct SpinRange {
    const char* name;
    int decimals;
    double minimum;
    double maximum;
    double step;
    double value;
};

// Double spin boxes: experiment documents store their values by object name,
// so ranges, steps and decimals decide what a stored value reads back as.
const std::vector<SpinRange>& doubleSpinRanges()
{
    static const std::vector<SpinRange> ranges = {
        // --- Experiment tab and its Setup page
        {"universeWidthSpinBox", 2, 10.24, 81.92, 10.24, 40.96},
        {"universeHeightSpinBox", 2, 10.24, 81.92, 10.24, 40.96},
        {"absorbingWidthSpinBox", 2, 0.05, 0.35, 0.01, 0.15},
        {"absorbingStrengthSpinBox", 2, 0.5, 30.0, 0.5, 8.0},

        // --- Potential sub-tab: scene and object editor
        {"rectangleV0SpinBox", 2, 0, 50, 0.25, 8},
        {"rectangleCenterXSpinBox", 2, -10.24, 10.24, 0.1, 0},
        {"rectangleCenterYSpinBox", 2, -10.24, 10.24, 0.1, 0},
        {"rectangleWidthSpinBox", 2, 0.08, 20.48, 0.08, 0.9},
        {"rectangleHeightSpinBox", 2, 0.08, 20.48, 0.08, 5},
        {"circleV0SpinBox", 2, 0, 50, 0.25, 8},
        {"circleCenterXSpinBox", 2, -10.24, 10.24, 0.1, 0},
        {"circleCenterYSpinBox", 2, -10.24, 10.24, 0.1, 0},
        {"circleRadiusSpinBox", 2, 0.08, 20.48, 0.08, 1.55},
        {"barrierV0SpinBox", 2, 0, 50, 0.25, 4.5},
        {"barrierCenterXSpinBox", 2, -7, 7, 0.1, 0},
        {"barrierCenterYSpinBox", 2, -4, 4, 0.1, 0},
        {"barrierLengthSpinBox", 2, 0.16, 20, 0.16, 19},
        {"barrierThicknessSpinBox", 2, 0.08, 3, 0.08, 0.64},
        {"singleSlitV0SpinBox", 2, 0, 50, 0.25, 8},
        {"singleSlitCenterXSpinBox", 2, -7, 7, 0.1, 0},
        {"singleSlitWallWidthSpinBox", 2, 0.08, 2, 0.08, 0.32},
        {"singleSlitCenterYSpinBox", 2, -7, 7, 0.1, 0},
        {"singleSlitHeightSpinBox", 2, 0.08, 8, 0.08, 1.55},
        {"doubleSlitV0SpinBox", 2, 0, 50, 0.25, 8},
        {"doubleSlitCenterXSpinBox", 2, -7, 7, 0.1, 0},
        {"doubleSlitWallWidthSpinBox", 2, 0.08, 2, 0.08, 0.32},
        {"doubleSlitCenterYSpinBox", 2, -6, 6, 0.1, 0},
        {"doubleSlitSeparationSpinBox", 2, 0.16, 10, 0.08, 2.2},
        {"doubleSlitHeightSpinBox", 2, 0.08, 5, 0.08, 0.7},
        {"polygonV0SpinBox", 2, 0, 50, 0.25, 8},
        {"polygonCenterXSpinBox", 2, -7, 7, 0.1, -0.45},
        {"polygonCenterYSpinBox", 2, -7, 7, 0.1, 0},
        {"polygonWidthSpinBox", 2, 0.16, 10, 0.08, 2.3},
        {"polygonHeightSpinBox", 2, 0.16, 14, 0.08, 4.4},
        {"gaussianAmplitudeSpinBox", 3, -50, 50, 0.25, -4},
        {"gaussianCenterXSpinBox", 3, -40, 40, 0.1, 0},
        {"gaussianCenterYSpinBox", 3, -40, 40, 0.1, 0},
        {"gaussianSigmaXSpinBox", 3, 0.08, 40, 0.08, 2},
        {"gaussianSigmaYSpinBox", 3, 0.08, 40, 0.08, 2},
        {"harmonicOffsetSpinBox", 3, -50, 50, 0.25, 0},
        {"harmonicCenterXSpinBox", 3, -40, 40, 0.1, 0},
        {"harmonicCenterYSpinBox", 3, -40, 40, 0.1, 0},
        {"harmonicKxSpinBox", 3, -5, 5, 0.02, 0.36},
        {"harmonicKySpinBox", 3, -5, 5, 0.02, 0.36},
        {"linearOffsetSpinBox", 3, -50, 50, 0.25, 0},
        {"linearCenterXSpinBox", 3, -40, 40, 0.1, 0},
        {"linearCenterYSpinBox", 3, -40, 40, 0.1, 0},
        {"linearSlopeXSpinBox", 3, -5, 5, 0.02, 0.2},
        {"linearSlopeYSpinBox", 3, -5, 5, 0.02, 0},
        {"radialCouplingSpinBox", 3, -50, 50, 0.25, -4},
        {"radialCenterXSpinBox", 3, -40, 40, 0.1, 0},
        {"radialCenterYSpinBox", 3, -40, 40, 0.1, 0},
        {"radialSofteningSpinBox", 3, 0.08, 20, 0.08, 0.6},
        {"stadiumV0SpinBox", 1, 1, 500, 5, 120},
        {"stadiumCenterXSpinBox", 2, -40, 40, 0.1, 0},
        {"stadiumCenterYSpinBox", 2, -40, 40, 0.1, 0},
        {"stadiumStraightSpinBox", 2, 0.2, 60, 0.2, 8},
        {"stadiumRadiusSpinBox", 2, 0.2, 30, 0.1, 4.5},

        // --- Dynamics sub-tab
        {"quenchTimeSpinBox", 3, 0, 1000, 0.25, 2},
        {"quenchBeforeSpinBox", 4, -1000, 1000, 1, 0.25},
        {"quenchAfterSpinBox", 4, -1000, 1000, 1, 1},
        {"periodicDriveMeanSpinBox", 4, -1000, 1000, 1, 0},
        {"periodicDriveAmplitudeSpinBox", 4, -1000, 1000, 1, 0.7},
        {"periodicDriveOmegaSpinBox", 4, 0, 100, 0.05, 0.5},
        {"periodicDrivePhaseSpinBox", 1, -360, 360, 1, 0},
        {"linearSweepStartValueSpinBox", 4, -1000, 1000, 1, 0.35},
        {"linearSweepEndValueSpinBox", 4, -1000, 1000, 1, -0.35},
        {"linearSweepStartTimeSpinBox", 3, 0, 1000, 0.25, 0},
        {"linearSweepDurationSpinBox", 3, 0.02, 1000, 1, 40},
        {"linearSweepHoldDurationSpinBox", 3, 0, 1000, 0.5, 0},
        {"linearSweepReturnDurationSpinBox", 3, 0.02, 1000, 0.5, 4},
        {"ramseyMeanSpinBox", 4, -1000, 1000, 1, 0},
        {"ramseyAmplitudeSpinBox", 4, -1000, 1000, 0.01, 0.1},
        {"ramseyOmegaSpinBox", 6, 0.000001, 1000, 0.01, 0.305536},
        {"ramseyPulseDurationSpinBox", 3, 0.02, 1000, 0.25, 14.35},
        {"ramseyFreeDurationSpinBox", 3, 0, 1000, 0.25, 5.5},
        {"ramseyStartTimeSpinBox", 3, 0, 1000, 1, 0},
        {"ramseyFirstPhaseSpinBox", 1, -3600, 3600, 1, 0},
        {"ramseySecondPhaseSpinBox", 1, -3600, 3600, 1, 0},
        {"ramseyEchoDurationSpinBox", 3, 0.02, 1000, 0.25, 25.75},
        {"ramseyEchoPhaseSpinBox", 1, -3600, 3600, 1, 90},
        {"berryAnisotropySpinBox", 3, 0.01, 2, 0.025, 0.35},
        {"berryStartTimeSpinBox", 2, 0, 5000, 1, 0},
        {"berryDurationSpinBox", 1, 1, 5000, 10, 240},
        {"loschmidtTimeSpinBox", 3, 0.02, 5000, 0.2, 4},
        {"loschmidtMomentumErrorXSpinBox", 3, -8, 8, 0.01, 0},
        {"loschmidtMomentumErrorYSpinBox", 3, -8, 8, 0.01, 0},
        {"moshinskyOpenTimeSpinBox", 3, 0, 1000, 0.1, 0},
        {"moshinskyDetectorXSpinBox", 3, -20, 20, 0.25, 3},
        {"moshinskyAnalysisEndTimeSpinBox", 2, 0.1, 1000, 0.5, 6},
        {"kapitzaDiracPeriodSpinBox", 4, 0.1, 40, 0.128, 4.096},
        {"kapitzaDiracDepthSpinBox", 3, -200, 200, 1, 16},
        {"kapitzaDiracPhaseSpinBox", 1, -3600, 3600, 15, 0},
        {"kapitzaDiracStartSpinBox", 3, 0, 1000, 0.1, 0},
        {"kapitzaDiracDurationSpinBox", 3, 0.02, 100, 0.02, 0.3},
        {"kapitzaDiracAnalysisEndSpinBox", 2, 0.1, 1000, 0.5, 4},
        {"aharonovBohmFluxSpinBox", 3, -5, 5, 0.05, 0.5},
        {"aharonovBohmRadiusSpinBox", 3, 0.1, 8, 0.1, 1.25},
        {"aharonovBohmCenterXSpinBox", 3, -20, 20, 0.25, 0},
        {"aharonovBohmCenterYSpinBox", 3, -20, 20, 0.25, 0},
        {"aharonovBohmBarrierSpinBox", 1, 0, 1000, 10, 140},
        {"aharonovBohmDetectorXSpinBox", 3, -20, 20, 0.25, 7},
        {"aharonovBohmAnalysisEndSpinBox", 2, 0.1, 100, 0.5, 5},
        {"landauFieldSpinBox", 3, -4, 4, 0.05, 0.45},
        {"landauOrbitRadiusSpinBox", 2, 0.2, 15, 0.25, 5},
        {"landauAnalysisEndSpinBox", 2, 0.1, 200, 0.5, 15},
        {"hallEdgeFieldSpinBox", 3, -4, 4, 0.05, 0.45},
        {"hallEdgeYSpinBox", 2, -18, 8, 0.25, -8},
        {"hallEdgeWallSpinBox", 1, 0, 2000, 10, 120},
        {"hallEdgeLaunchYSpinBox", 2, -17, 18, 0.25, -5.3},
        {"hallEdgeRadiusSpinBox", 2, 0.3, 15, 0.25, 4.2},
        {"hallEdgeSigmaSpinBox", 2, 0.2, 5, 0.1, 1.1},
        {"hallEdgeBandSpinBox", 2, 0.2, 12, 0.25, 4},
        {"hallEdgeAnalysisEndSpinBox", 2, 0.1, 100, 0.5, 8},
        {"backflowDetectorSpinBox", 2, -18, 18, 0.25, 0},
        {"backflowSlowKSpinBox", 3, 0.05, 8, 0.05, 0.35},
        {"backflowFastKSpinBox", 3, 0.1, 12, 0.05, 1.3},
        {"backflowKSigmaSpinBox", 3, 0.03, 3, 0.02, 0.3},
        {"backflowRatioSpinBox", 3, 0.01, 2, 0.02, 0.52},
        {"backflowPhaseSpinBox", 1, -360, 360, 5, 180},
        {"backflowCenterXSpinBox", 2, -18, 18, 0.25, -1.8},
        {"backflowTransverseSigmaSpinBox", 2, 0.2, 12, 0.1, 2.5},
        {"backflowAnalysisEndSpinBox", 2, 0.1, 100, 0.25, 4},
        {"zitterLightSpeedSpinBox", 3, 0.05, 10, 0.05, 1},
        {"zitterMassSpinBox", 3, 0.02, 10, 0.05, 0.5},
        {"zitterCenterXSpinBox", 2, -18, 18, 0.25, -6},
        {"zitterCenterYSpinBox", 2, -18, 18, 0.25, 0},
        {"zitterSigmaSpinBox", 2, 0.3, 10, 0.1, 3.5},
        {"zitterMomentumXSpinBox", 3, -8, 8, 0.05, 0.5},
        {"zitterMomentumYSpinBox", 3, -8, 8, 0.05, 0},
        {"zitterAnalysisEndSpinBox", 2, 0.2, 100, 0.5, 12},
        {"kleinLightSpeedSpinBox", 3, 0.05, 10, 0.05, 1},
        {"kleinMassSpinBox", 3, 0, 5, 0.01, 0.05},
        {"kleinCenterXSpinBox", 2, -18, 10, 0.25, -10},
        {"kleinSigmaSpinBox", 2, 0.3, 8, 0.1, 2.2},
        {"kleinPxSpinBox", 3, 0.05, 8, 0.05, 1.5},
        {"kleinPySpinBox", 3, -4, 4, 0.05, 0},
        {"kleinBarrierCenterSpinBox", 2, -10, 10, 1, 0},
        {"kleinBarrierWidthSpinBox", 2, 0.2, 12, 0.1, 3},
        {"kleinBarrierHeightSpinBox", 3, 0.05, 20, 0.1, 3.2},
        {"kleinDetectorXSpinBox", 2, -15, 18, 0.25, 6},
        {"kleinAnalysisEndSpinBox", 2, 1, 60, 0.5, 16},

        // --- Wave Packet and Measurement tabs
        {"centerXSpinBox", 2, -9, 9, 0.25, -5},
        {"centerYSpinBox", 2, -9, 9, 0.25, 0},
        {"sigmaSpinBox", 2, 0.25, 4, 0.1, 0.9},
        {"momentumSpinBox", 2, -8, 8, 0.25, 2.5},
        {"momentumYSpinBox", 2, -8, 8, 0.25, 0},
        {"massSpinBox", 2, 0.1, 10, 0.1, 1},
        {"measurementPointSizeSpinBox", 1, 1, 10, 0.5, 3},
        {"collapseResolutionSpinBox", 2, 0.2, 5, 0.1, 0.65},
        {"detectorXSpinBox", 2, -1000, 1000, 0.25, 8},
        {"detectorThicknessSpinBox", 2, 0.01, 10, 0.08, 0.32},

        // --- Rendering tab
        {"potentialOverlayOpacitySpinBox", 2, 0, 1, 0.05, 1},
        {"potentialContourWidthSpinBox", 2, 0.5, 4, 0.1, 1.35},
        {"potentialContourOpacitySpinBox", 2, 0, 1, 0.05, 0.8},
        {"probabilityContourDecadesSpinBox", 1, 1, 8, 0.5, 4},
        {"probabilityContourWidthSpinBox", 2, 0.5, 4, 0.1, 1.1},
        {"probabilityContourOpacitySpinBox", 2, 0, 1, 0.05, 0.82},
        {"currentScaleSpinBox", 2, 0.25, 3, 0.1, 1},
        {"exposureSpinBox", 2, -6, 8, 0.25, 0},
        {"gammaSpinBox", 2, 0.25, 4, 0.05, 1},
        {"brightThresholdSpinBox", 2, 0, 1, 0.05, 0.72},
        {"brightKneeSpinBox", 2, 0, 0.5, 0.01, 0.08},
        {"blurSpreadSpinBox", 2, 0.25, 8, 0.25, 2},
        {"bloomStrengthSpinBox", 2, 0, 5, 0.1, 1.25},

        // --- Analysis dock
        {"crossSectionPositionSpinBox", 3, -1000, 1000, 0.08, 0},
        {"resonanceScanMinSpinBox", 3, 0.001, 100, 0.1, 0.5},
        {"resonanceScanMaxSpinBox", 3, 0.002, 100, 0.1, 6},
        {"boundRelativePhaseSpinBox", 1, -180, 180, 15, 90},
        {"ramseyEnsembleSigmaSpinBox", 4, 0, 1, 0.01, 0.06},
        {"kickedRotorStrengthSpinBox", 2, 0.1, 20, 0.25, 6},
        {"kickedRotorPeriodSpinBox", 2, 0.2, 5, 0.1, 1},
        {"zenoMeasurementPeriodSpinBox", 3, 0.04, 5, 0.02, 0.1},
        // scarEnergySpinBox reaches down to 0 and names it: FormAnalysisPagesTest.
        {"scarBandSpinBox", 2, 0.1, 5, 0.1, 0.8},
    };
    return ranges;
}

TEST(FormContractTest, DoubleSpinBoxesHoldTheirRangeStepDecimalsAndDefault)
{
    BareForm form;
    for (const SpinRange& row : doubleSpinRanges()) {
        const auto* spin = form.find<QDoubleSpinBox>(row.name);
        ASSERT_NE(spin, nullptr) << row.name;
        EXPECT_EQ(spin->decimals(), row.decimals) << row.name;
        EXPECT_DOUBLE_EQ(spin->minimum(), row.minimum) << row.name;
        EXPECT_DOUBLE_EQ(spin->maximum(), row.maximum) << row.name;
        EXPECT_DOUBLE_EQ(spin->singleStep(), row.step) << row.name;
        EXPECT_DOUBLE_EQ(spin->value(), row.value) << row.name;
        EXPECT_TRUE(spin->prefix().isEmpty() && spin->specialValueText().isEmpty()) << row.name;
    }
}

struct IntegerSpinRange {
    const char* name;
    int minimum;
    int maximum;
    int step;
    int value;
    const char* suffix;
};

// Integer spin boxes: counts and pixel sizes, stored by value like the others.
const std::vector<IntegerSpinRange>& integerSpinRanges()
{
    static const std::vector<IntegerSpinRange> ranges = {
        // --- Dynamics sub-tab

        // --- Wave Packet and Measurement tabs
        {"detectorBinsSpinBox", 8, 256, 8, 64, ""},

        // --- Rendering tab
        {"potentialContourLevelsSpinBox", 1, 16, 1, 6, ""},
        {"probabilityContourLevelsSpinBox", 2, 32, 1, 12, ""},
        {"currentSpacingSpinBox", 18, 100, 2, 42, " px"},
        {"streamlineLengthSpinBox", 80, 600, 20, 240, " px"},

        // --- Analysis dock
        {"resonanceScanPointsSpinBox", 32, 2001, 1, 401, ""},
        {"boundMaxStatesSpinBox", 1, 8, 1, 5, ""},
        {"ramseyEnsembleMembersSpinBox", 3, 201, 2, 41, ""},
    };
    return ranges;
}

TEST(FormContractTest, IntegerSpinBoxesHoldTheirRangeStepDefaultAndSuffix)
{
    BareForm form;
    for (const IntegerSpinRange& row : integerSpinRanges()) {
        const auto* spin = form.find<QSpinBox>(row.name);
        ASSERT_NE(spin, nullptr) << row.name;
        EXPECT_EQ(spin->minimum(), row.minimum) << row.name;
        EXPECT_EQ(spin->maximum(), row.maximum) << row.name;
        EXPECT_EQ(spin->singleStep(), row.step) << row.name;
        EXPECT_EQ(spin->value(), row.value) << row.name;
        EXPECT_EQ(spin->suffix().toStdString(), row.suffix) << row.name;
        EXPECT_TRUE(spin->prefix().isEmpty() && spin->specialValueText().isEmpty()) << row.name;
    }
}

struct DockRow {
    const char* dock;
    const char* title;
    const char* toggle;
    Qt::DockWidgetArea area;
    Qt::DockWidgetAreas allowed;
    QSize minimum;
};

const std::vector<DockRow>& docks()
{
    static const Qt::DockWidgetAreas sides = Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea;
    static const std::vector<DockRow> rows = {
        {"controlsDockWidget", "Controls", "actionControlsDock", Qt::LeftDockWidgetArea, sides, {398, 583}},
        // Narrow enough to sit between the side docks on a 1366 px screen.
        {"analysisDockWidget", "Analysis", "actionAnalysisDock", Qt::BottomDockWidgetArea, Qt::BottomDockWidgetArea,
         {600, 233}},
        {"timeDockWidget", "Time", "actionTimeDock", Qt::RightDockWidgetArea, sides, {310, 276}},
        {"diagnosticsDockWidget", "Diagnostics", "actionDiagnosticsDock", Qt::RightDockWidgetArea, sides, {78, 97}},
        {"helpDockWidget", "Physics Help / Guida", "actionHelpDock", Qt::RightDockWidgetArea, sides, {135, 130}},
    };
    return rows;
}

TEST(FormContractTest, DocksStandInTheirAreasAndTheViewActionsToggleThem)
{
    BareForm form;
    const auto allFeatures =
        QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
    for (const DockRow& row : docks()) {
        auto* dock = form.find<QDockWidget>(row.dock);
        auto* toggle = form.find<QAction>(row.toggle);
        ASSERT_TRUE(dock != nullptr && toggle != nullptr) << row.dock;
        EXPECT_EQ(dock->windowTitle().toStdString(), row.title) << row.dock;
        EXPECT_EQ(form.window.dockWidgetArea(dock), row.area) << row.dock;
        EXPECT_EQ(dock->allowedAreas(), row.allowed) << row.dock;
        EXPECT_EQ(dock->features(), allFeatures) << row.dock;
        EXPECT_EQ(dock->minimumSize(), row.minimum) << row.dock;

        EXPECT_TRUE(toggle->isCheckable() && toggle->isChecked()) << row.toggle;
        EXPECT_FALSE(dock->isHidden()) << row.dock;
        toggle->setChecked(false);
        EXPECT_TRUE(dock->isHidden()) << row.toggle << " unchecked leaves " << row.dock << " shown";
        toggle->setChecked(true);
        EXPECT_FALSE(dock->isHidden()) << row.toggle << " checked leaves " << row.dock << " hidden";
    }
}

QStringList actionNames(const QWidget* widget)
{
    QStringList names;
    for (const QAction* action : widget->actions())
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    return names;
}

TEST(FormContractTest, WindowFrameStartsStoppedWithItsMenusShortcutsAndViewport)
{
    BareForm form;
    Ui_MainWindow& ui = form.ui;
    EXPECT_TRUE(ui.playButton->isEnabled() && ui.stepButton->isEnabled() && ui.resetButton->isEnabled());
    EXPECT_FALSE(ui.pauseButton->isEnabled()) << "nothing runs yet";
    EXPECT_FALSE(ui.stopButton->isEnabled()) << "nothing runs yet";
    EXPECT_EQ(ui.transportStateLabel->text(), "STOPPED");
    EXPECT_EQ(ui.speedComboBox->currentText(), "1.00x");

    EXPECT_EQ(actionNames(ui.menuBar), QStringList({"menuFile", "menuView"}));
    EXPECT_EQ(actionNames(ui.menuFile), QStringList({"actionLoadExperimentJson", "actionSaveExperimentJson"}));
    EXPECT_EQ(actionNames(ui.menuView), QStringList({"actionControlsDock", "actionTimeDock", "actionDiagnosticsDock",
                                                     "actionHelpDock", "actionAnalysisDock"}));
    EXPECT_EQ(ui.actionLoadExperimentJson->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(ui.actionSaveExperimentJson->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(ui.actionLoadExperimentJson->isCheckable() || ui.actionSaveExperimentJson->isCheckable());

    EXPECT_EQ(form.window.minimumWidth(), 980);
    EXPECT_EQ(form.window.size(), QSize(1738, 1216));
    EXPECT_TRUE(form.window.isDockNestingEnabled());
    EXPECT_EQ(form.window.centralWidget(), ui.centralWidget);
    // Small enough for the window to fit a 1366 x 768 screen beside its docks.
    EXPECT_EQ(ui.quantumView->minimumSize(), QSize(480, 300)) << "the viewport never shrinks below 480 x 300";
    EXPECT_EQ(ui.quantumView->sizePolicy().horizontalStretch(), 1);
    EXPECT_EQ(ui.quantumView->sizePolicy().verticalStretch(), 1);
    EXPECT_EQ(ui.quantumView->toolTip(),
              "Mouse wheel: zoom around cursor | Middle-drag: pan | Home or middle double-click: reset view")
        << "the form keeps the viewport's own tooltip";
}

} // namespace
} // namespace vxo::test
