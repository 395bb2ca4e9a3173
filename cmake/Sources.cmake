# The sources of every area, of the program and of the test suites, one per
# line and relative to the folder named beside the list (a sub-folder is
# written out: mainwindow/MainWindow.cpp). A listed file that is missing stops the
# configuration with its name; so does a source in these folders that no list
# names, which would otherwise silently not be built (see
# cmake/SourceLists.cmake). Headers are found in the folders.

# core/
set(VXO_CORE_SOURCES
    AbsorbingBoundary2D.cpp
    AmplitudeKernels.cpp
    ColumnAmplitudes2D.cpp
    ColumnAmplitudes2DAvx2.cpp
    ComplexField2D.cpp
    CrossSectionProfile.cpp
    DensitySums2D.cpp
    DensitySums2DAvx2.cpp
    DetectorTemporalFlux2D.cpp
    DiracSpinor2D.cpp
    DiracSplitStepSolver2D.cpp
    EnergyObservables2D.cpp
    EnergyObservables2DAvx2.cpp
    FFT2D.cpp
    GaugeCovariantStep.cpp
    GaugeLineSweeps.cpp
    GaugeLinkField2D.cpp
    GaugeSweepPivots.cpp
    GaussianPacket2D.cpp
    KineticEnergy.cpp
    MomentumSpace2D.cpp
    PhaseOffsetKernelsAvx2.cpp
    PhaseRoundingKernelsAvx2.cpp
    PositionMeasurement.cpp
    PositionMoments.cpp
    PotentialField2D.cpp
    PotentialObject.cpp
    PotentialPhaseTable.cpp
    PotentialScene.cpp
    ProbabilityCurrent2D.cpp
    ProbabilityStreamlines2D.cpp
    RegionProbabilities.cpp
    SimulationDomain2D.cpp
    SoftenedRadialRows.cpp
    SoftenedRadialRowsAvx2.cpp
    SpectralEnergy2D.cpp
    SplitStepFourierSolver2D.cpp
    SquareBarrier1D.cpp
    Tridiagonal.cpp
    VectorKernels.cpp
    VectorKernelsAvx2.cpp
)

# experiments/
set(VXO_EXPERIMENTS_SOURCES
    AharonovBohmRecorder.cpp
    AndersonRecorder.cpp
    BackflowRecorder.cpp
    BerryRecorder.cpp
    BilliardRecorder.cpp
    BouncerRecorder.cpp
    BoundStateResult.cpp
    BoundStates1D.cpp
    BoxWalls.cpp
    DiracKleinRecorder.cpp
    DiracWavePacket.cpp
    DiracZitterbewegungRecorder.cpp
    DriveProtocols.cpp
    FieldProducts.cpp
    HallEdgeRecorder.cpp
    KapitzaDiracRecorder.cpp
    KickedRotorRecorder.cpp
    KleinBarrierReference.cpp
    KleinScans.cpp
    LandauRecorder.cpp
    LoschmidtRecorder.cpp
    MomentumColumns.cpp
    MoshinskyRecorder.cpp
    ObservableHistory.cpp
    ObservableSampler.cpp
    PacketAverage.cpp
    PaintedLayers.cpp
    PaintedWellRevival.cpp
    ProbabilityMarginals.cpp
    QuantumAharonovBohm2D.cpp
    QuantumAnderson2D.cpp
    QuantumBackflow2D.cpp
    QuantumBerryPhase2D.cpp
    QuantumBilliard2D.cpp
    QuantumBloch2D.cpp
    QuantumBouncer2D.cpp
    QuantumDoubleWell2D.cpp
    QuantumHallEdge2D.cpp
    QuantumKapitzaDirac2D.cpp
    QuantumKickedRotor2D.cpp
    QuantumKleinTunneling2D.cpp
    QuantumLandau2D.cpp
    QuantumLandauZener2D.cpp
    QuantumLoschmidt2D.cpp
    QuantumMoshinsky2D.cpp
    QuantumRabi2D.cpp
    QuantumRamsey2D.cpp
    QuantumResonance2D.cpp
    QuantumRevival2D.cpp
    QuantumScar2D.cpp
    QuantumStueckelberg2D.cpp
    QuantumTalbot2D.cpp
    QuantumVortex2D.cpp
    QuantumZeno2D.cpp
    QuantumZitterbewegung2D.cpp
    RevivalRecorder.cpp
    ScarRecorder.cpp
    ScatteringAbsorption.cpp
    SceneChecks.cpp
    TalbotRecorder.cpp
    TwoLevelStepper.cpp
    TwoLevelSystem.cpp
    VortexRecorder.cpp
    ZenoRecorder.cpp
)

# document/
set(VXO_DOCUMENT_SOURCES
    CatalogueEntries.cpp
    CataloguePresets.cpp
    DisplayText.cpp
    DriveProtocolJson.cpp
    EarlyExperimentJson.cpp
    ExperimentCatalogue.cpp
    ExperimentDocumentJson.cpp
    ExperimentFile.cpp
    ExperimentPreset.cpp
    GaugeDiracExperimentJson.cpp
    InitialPreparation.cpp
    JsonReading.cpp
    JsonTextExtent.cpp
    LaterExperimentJson.cpp
    PotentialSceneJson.cpp
    PresetGuidesEnglish.cpp
    PresetGuidesItalian.cpp
    SettingsObjectCodec.cpp
    SettingsRanges.cpp
)

# view/
set(VXO_VIEW_SOURCES
    ContourExtraction.cpp
    DisplayPreset.cpp
    OverlayGeometry.cpp
    PotentialEditorShape.cpp
    QuantumGLShaders.cpp
    QuantumGLView.cpp
    QuantumGLViewInteraction.cpp
    QuantumGLViewOverlays.cpp
    QuantumGLViewPipeline.cpp
    QuantumTextureFrame2D.cpp
    ViewportMapping.cpp
)

# plots/
set(VXO_PLOTS_SOURCES
    HistoryPlotWidget.cpp
    PlotCarpets.cpp
    PlotCurves.cpp
    AxisNumbers.cpp
    PlotAxes.cpp
    PlotFrame.cpp
    PlotHistories.cpp
    PlotLayouts.cpp
    PlotPages.cpp
    PlotTexts.cpp
    PlotTimeMarkers.cpp
    PlotWidget.cpp
    QuantumAharonovBohmPlotWidget.cpp
    QuantumAndersonPlotWidget.cpp
    QuantumBackflowPlotWidget.cpp
    QuantumBerryPhasePlotWidget.cpp
    QuantumBilliardPlotWidget.cpp
    QuantumBlochPlotWidget.cpp
    QuantumBouncerPlotWidget.cpp
    QuantumBoundStatePlotWidget.cpp
    QuantumCrossSectionPlotWidget.cpp
    QuantumDiracMasslessComparisonPlotWidget.cpp
    QuantumDoubleWellPlotWidget.cpp
    QuantumDrivePlotWidget.cpp
    QuantumHallEdgePlotWidget.cpp
    QuantumKapitzaDiracPlotWidget.cpp
    QuantumKickedRotorPlotWidget.cpp
    QuantumKleinAngleScanPlotWidget.cpp
    QuantumKleinHeightScanPlotWidget.cpp
    QuantumKleinMassScanPlotWidget.cpp
    QuantumKleinTunnelingPlotWidget.cpp
    QuantumLandauPlotWidget.cpp
    QuantumLandauZenerPlotWidget.cpp
    QuantumLoschmidtPlotWidget.cpp
    QuantumMoshinskyPlotWidget.cpp
    QuantumQuenchPlotWidget.cpp
    QuantumRabiPlotWidget.cpp
    QuantumRamseyPlotWidget.cpp
    QuantumResonancePlotWidget.cpp
    QuantumRevivalPlotWidget.cpp
    QuantumScarPlotWidget.cpp
    QuantumStueckelbergPlotWidget.cpp
    QuantumTalbotPlotWidget.cpp
    QuantumTimeSeriesPlotWidget.cpp
    QuantumVortexPlotWidget.cpp
    QuantumZenoPlotWidget.cpp
    QuantumZitterbewegungPlotWidget.cpp
    ScanPainting.cpp
)

# ui/
set(VXO_UI_SOURCES
    MainWindowForm.cpp
)

# app/
set(VXO_APP_SOURCES
    ApplicationSetup.cpp
    HelpFolder.cpp
    PrivateTemporaryFolder.cpp
    RunPace.cpp
    TransportClock.cpp
    form/ControlSnapshot.cpp
    form/ControlValue.cpp
    form/CurrentPageScroller.cpp
    form/DiagnosticsPresentation.cpp
    form/DockContentsHeight.cpp
    form/DomainSpinRanges.cpp
    form/ExperimentSettingsForm.cpp
    form/FormIndices.cpp
    form/GeometryPage.cpp
    form/KeyboardTrackingGate.cpp
    form/QuietControlWrites.cpp
    form/SharesWithFloors.cpp
    mainwindow/MainWindow.cpp
    mainwindow/MainWindowAppliers.cpp
    mainwindow/MainWindowBoundStates.cpp
    mainwindow/MainWindowDiagnostics.cpp
    mainwindow/MainWindowDocuments.cpp
    mainwindow/MainWindowGaugeFields.cpp
    mainwindow/MainWindowHelp.cpp
    mainwindow/MainWindowLoading.cpp
    mainwindow/MainWindowMeasurement.cpp
    mainwindow/MainWindowModes.cpp
    mainwindow/MainWindowPanelsBoxesAndLattices.cpp
    mainwindow/MainWindowPanelsDirac.cpp
    mainwindow/MainWindowPanelsGauge.cpp
    mainwindow/MainWindowPanelsProtocolsAndEchoes.cpp
    mainwindow/MainWindowPanelsScattering.cpp
    mainwindow/MainWindowPanelsTwoLevel.cpp
    mainwindow/MainWindowPreparation.cpp
    mainwindow/MainWindowRebuild.cpp
    mainwindow/MainWindowRecorderSetup.cpp
    mainwindow/MainWindowRefresh.cpp
    mainwindow/MainWindowScene.cpp
    mainwindow/MainWindowSettingsFromForm.cpp
    mainwindow/MainWindowSettingsIntoForm.cpp
    mainwindow/MainWindowStatus.cpp
    mainwindow/MainWindowTick.cpp
    mainwindow/MainWindowTransport.cpp
    mainwindow/MainWindowWindowState.cpp
    mainwindow/MainWindowWiring.cpp
    mainwindow/BoundedLockFile.cpp
    mainwindow/SavedDockState.cpp
    mainwindow/SavedLayout.cpp
    mainwindow/SavedWindowGeometry.cpp
    panels/KleinReferencePages.cpp
    panels/RecorderPanelFigures.cpp
    protocols/BerryLoopApplier.cpp
    protocols/DriveApplier.cpp
    protocols/KapitzaDiracPulseApplier.cpp
    protocols/MoshinskyShutterApplier.cpp
    protocols/QuenchApplier.cpp
    text/CurrentParametersPage.cpp
    text/DiagnosticsRowLabels.cpp
    text/DiagnosticsRowOrder.cpp
    text/ExperimentFileName.cpp
    text/HelpHtml.cpp
    text/PanelText.cpp
    text/PotentialObjectText.cpp
    text/ValueFormatters.cpp
)

# app/: the program's entry point
set(VXO_PROGRAM_SOURCES
    main/main.cpp
)

# tests/common/: the support shared by the widget test executables
set(VXO_QT_TEST_SUPPORT_SOURCES
    QtTestSupport.cpp
)

# tests/core/
set(VXO_CORE_TEST_SOURCES
    BoundedPaintingTest.cpp
    ColumnAmplitudesTest.cpp
    ComplexField2DTest.cpp
    CurrentTest.cpp
    DensitySumsTest.cpp
    DetectorTest.cpp
    DiracTest.cpp
    FFT2DTest.cpp
    GaugeLinkTest.cpp
    GaugeWallTest.cpp
    MeasurementTest.cpp
    NormDriftTest.cpp
    ObservablesTest.cpp
    PaintedGeometryTest.cpp
    PhaseRoundingTest.cpp
    PotentialField2DTest.cpp
    PotentialSceneTest.cpp
    SimulationDomainTest.cpp
    SplitStepFourierSolver2DTest.cpp
    SteppedEnergyTest.cpp
    SplitStepPartsTest.cpp
    SubStepRuleTest.cpp
    WavePacketTest.cpp
)

# tests/bench/
set(VXO_BENCH_TEST_SOURCES
    FftwSplitStepTest.cpp
)

# tests/experiments/
set(VXO_EXPERIMENTS_TEST_SOURCES
    BoundStates1DTest.cpp
    DriveProtocolsTest.cpp
    KleinBarrierReferenceTest.cpp
    KleinScansTest.cpp
    ObservableHistoryTest.cpp
    ObservableSamplerTest.cpp
    PaintedRegionsTest.cpp
    PaintedReferencesTest.cpp
    QuantumAharonovBohm2DTest.cpp
    QuantumAnderson2DTest.cpp
    QuantumBackflow2DTest.cpp
    QuantumBerryPhase2DTest.cpp
    QuantumBilliard2DTest.cpp
    QuantumBloch2DTest.cpp
    QuantumBouncer2DTest.cpp
    QuantumDoubleWell2DTest.cpp
    QuantumHallEdge2DTest.cpp
    QuantumKapitzaDirac2DTest.cpp
    QuantumKickedRotor2DTest.cpp
    QuantumKleinTunneling2DTest.cpp
    QuantumLandau2DTest.cpp
    QuantumLandauZener2DTest.cpp
    QuantumLoschmidt2DTest.cpp
    QuantumMoshinsky2DTest.cpp
    QuantumRamsey2DTest.cpp
    QuantumResonance2DTest.cpp
    QuantumRevival2DTest.cpp
    QuantumScar2DTest.cpp
    ScatteringAbsorptionTest.cpp
    QuantumTalbot2DTest.cpp
    QuantumVortex2DTest.cpp
    QuantumZeno2DTest.cpp
    QuantumZitterbewegung2DTest.cpp
    StationaryStateTest.cpp
)

# tests/document/
set(VXO_DOCUMENT_TEST_SOURCES
    DocumentReadingTest.cpp
    DisplayTextTest.cpp
    DocumentTestSupport.cpp
    ExperimentDocumentTest.cpp
    ExperimentFileTest.cpp
    ExperimentPresetTest.cpp
    GuideLanguagesTest.cpp
    JsonTextExtentTest.cpp
    MalformedDocumentTest.cpp
    PresetGeometryConvergenceTest.cpp
    PresetGuidesTest.cpp
    SchemaVersionTest.cpp
)

# tests/view/
set(VXO_VIEW_TEST_SOURCES
    ContourExtractionTest.cpp
    DisplayPresetTest.cpp
    PotentialEditorShapeTest.cpp
    QuantumGLViewInteractionTest.cpp
    QuantumGLViewOverlayTest.cpp
    QuantumGLViewPictureTest.cpp
    QuantumGLViewRenderTest.cpp
    QuantumGLViewSettingsTest.cpp
    QuantumTextureFrame2DTest.cpp
    ViewTestSupport.cpp
    ViewportMappingTest.cpp
)

# tests/plots/
set(VXO_PLOTS_TEST_SOURCES
    AxisNumbersTest.cpp
    AxisReading.cpp
    CarpetPlotsTest.cpp
    HistoryPlotsTest.cpp
    KleinScanPlotsTest.cpp
    LatticePlotsTest.cpp
    MapPlotsTest.cpp
    OrbitEchoPlotsTest.cpp
    PaintedTexts.cpp
    PlotPaintingTest.cpp
    PlotTestSupport.cpp
    QuantumCrossSectionPlotWidgetTest.cpp
    QuantumTimeSeriesPlotWidgetTest.cpp
    RecorderCarpetPlotsTest.cpp
    RecorderPlotRobustnessTest.cpp
    RecorderTracePlotsTest.cpp
    ShortPlotLabelsTest.cpp
    StationaryPlotsTest.cpp
    TwoLevelPlotsTest.cpp
)

# tests/ui/
set(VXO_UI_TEST_SOURCES
    DynamicsFormTest.cpp
    FormAnalysisPagesTest.cpp
    FormBuildTest.cpp
    FormContractTest.cpp
    FormControlTabsTest.cpp
    FormDocumentControlsTest.cpp
    FormTestSupport.cpp
    HelpPagesTest.cpp
)

# tests/app/
set(VXO_APP_TEST_SOURCES
    ApplicationSetupTest.cpp
    ControlValueTest.cpp
    CurrentPageScrollerTest.cpp
    DiagnosticsRowOrderTest.cpp
    ExperimentFileNameTest.cpp
    ExperimentSettingsFormTest.cpp
    GeometryPageTest.cpp
    HelpFolderPagesTest.cpp
    HelpPagesTest.cpp
    KleinReferencePagesTest.cpp
    MainWindowDeclarationTest.cpp
    PanelTextTest.cpp
    PotentialObjectTextTest.cpp
    PrivateTemporaryFolderTest.cpp
    ProtocolAppliersTest.cpp
    RecorderPanelFiguresTest.cpp
    RunPaceTest.cpp
    SettingsRangesTest.cpp
    SavedDockStateTest.cpp
    SavedWindowGeometryTest.cpp
    SharesWithFloorsTest.cpp
    TransportClockTest.cpp
    ValueFormattersTest.cpp
)

# tests/appwindow/
set(VXO_APPWINDOW_TEST_SOURCES
    DocumentSceneInspectorTest.cpp
    DocumentsTest.cpp
    GuideClaimsEarlyTest.cpp
    GuideClaimsLateTest.cpp
    GuidedLoadingTest.cpp
    HelpTest.cpp
    MainWindowBoundStatesTest.cpp
    MainWindowMeasurementTest.cpp
    MainWindowSceneEditingTest.cpp
    MainWindowScreenFitTest.cpp
    MainWindowStartupTest.cpp
    MainWindowStatusTest.cpp
    MainWindowWindowStateTest.cpp
    PanelsDiracTest.cpp
    PanelsGaugeTest.cpp
    PanelsRecordersIITest.cpp
    PanelsRecordersITest.cpp
    PanelsScatteringTest.cpp
    PanelsTwoLevelTest.cpp
    RebuildTest.cpp
    SettingsTest.cpp
    SignalWiringTest.cpp
    SimulationPlayTest.cpp
    SimulationTickTest.cpp
)

# tests/e2e/
set(VXO_E2E_TEST_SOURCES
    DocumentRoundTripTest.cpp
    FreeRunTest.cpp
    HelpDuringALessonTest.cpp
    LoschmidtEchoTest.cpp
    MeasurementLessonTest.cpp
    PresetTourTest.cpp
    ProgramTest.cpp
    TunnellingRunTest.cpp
)

# tests/layoutstart/: the window's start with a saved layout, run by the
# window-state tests as a child process
set(VXO_LAYOUT_START_SOURCES
    LayoutAtStart.cpp
)

# tests/fuzz/: the document reader's fuzz target
set(VXO_FUZZ_SOURCES
    DocumentReaderFuzz.cpp
)

# bench/: the Google Benchmark programs, each beside its reference
set(VXO_BENCH_SOURCES
    DisplayDataBench.cpp
    EventGapBench.cpp
    FFTBench.cpp
    KleinReferencePagesBench.cpp
    MagneticStepBench.cpp
    MainWindowTickBench.cpp
    PlotCarpetBench.cpp
    PotentialSceneBench.cpp
    SplitStepBench.cpp
    main.cpp
)

# tools/: the soak run, the window gallery and the plot gallery
set(VXO_SOAK_SOURCES
    Soak.cpp
)
set(VXO_CONVERGENCE_SOURCES
    Convergence.cpp
)
set(VXO_GALLERY_SOURCES
    Gallery.cpp
)
set(VXO_PLOT_GALLERY_SOURCES
    DrivenAndStationaryPlots.cpp
    RecorderPlots.cpp
    ScatteringPlots.cpp
    WavePacketPlots.cpp
)
