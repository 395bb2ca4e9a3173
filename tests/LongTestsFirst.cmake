# Read by ctest after the suites' discovered tests. A parallel run that
# starts its longest tests last ends on one of them alone while the other
# cores wait; ctest starts the tests of highest cost first, and a fresh build
# folder has no timings of its own (after a run, ctest keeps and uses the
# measured ones). The costs are seconds on two cores, of the release pass or
# of the sanitizer pass where a test takes longer there; only their order
# counts. A name that is no longer a test only loses its place at the start.
set(_vxo_long_tests
    GuideClaimsEarly.DoubleSlitGuideQuotesWhatTheProgramShows 35
    GuideClaimsLate.EchoShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows 29
    GuideClaimsLate.SinaiBilliardGuideQuotesWhatTheProgramShows 28
    GuideClaimsEarly.RamseyReturnAndHahnEchoGuidesQuoteWhatTheProgramShows 27
    GuideClaimsEarly.AdiabaticLandauZenerGuideQuotesWhatTheProgramShows 38
    GuideClaimsEarly.RabiAndFastLandauZenerGuidesQuoteWhatTheProgramShows 10
    GuideClaimsLate.BlochAndRevivalGuidesQuoteWhatTheProgramShows 25
    GuideClaimsEarly.HarmonicTrapGuideQuotesWhatTheProgramShows 24
    GuideClaimsEarly.ResonantTunnellingGuideQuotesWhatTheProgramShows 30
    GuideClaimsEarly.ObstacleAndWedgeGuidesQuoteWhatTheProgramShows 8
    GuideClaimsEarly.DoubleWellQuenchAndDrivenGuidesQuoteWhatTheProgramShows 23
    GuideClaimsEarly.StueckelbergAndRamseyTransferGuidesQuoteWhatTheProgramShows 23
    GuideClaimsEarly.EnsembleGuidesQuoteWhatTheProgramShows 20
    PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairOnAndOffItsLevels 12
    PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairAtItsNarrowLevelAndWithUnequalWalls 12
    GuideClaimsEarly.SingleSlitGuideQuotesWhatTheProgramShows 19
    GuideClaimsLate.TalbotBouncerVortexRotorAndLaneGuidesQuoteWhatTheProgramShows 19
    GuideClaimsEarly.FreePacketAndBarrierGuidesQuoteWhatTheProgramShows 18
    GuideClaimsLate.KleinAndMasslessDiracGuidesQuoteWhatTheProgramShows 18
    GuideClaimsLate.ScarGuideQuotesWhatTheProgramShows 18
    GuideClaimsLate.BerryPhaseGuideQuotesWhatTheProgramShows 17
    GuideClaimsEarly.TunnellingGuideQuotesWhatTheProgramShows 14
    GuideClaimsLate.RectangularBilliardGuideQuotesWhatTheProgramShows 14
    GuideClaimsLate.HallEdgeBackflowAndZitterbewegungGuidesQuoteWhatTheProgramShows 12
    GuideClaimsEarly.WellAndMeasurementGuidesQuoteWhatTheProgramShows 10
    PresetGeometryConvergence.DoubleSlitPassesOnItsOwnGridAsOnAFinerOne 27
    MainWindowScreenFit.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen 35
    PresetTour.EveryExperimentFillsItsAnalysisWithNumbersAndShowsItsGuide 20
    PresetGeometryConvergence.ResonantTunnellingTransmitsOnItsOwnGridAsOnAFinerOne 16
    MainWindowWindowState.ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft 14
    GuidedLoading.EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore 13
    DocumentsWindow.EveryRecordBoxAtEitherEndIsKeptAndOneStepPastItIsRefusedByName 24
    DocumentsWindow.RandomBoxValuesOnRandomPresetsAreKeptBySaveAndLoad 20
    MainWindowWindowState.LayoutAndTabsSurviveARestartAndResetRestoresTheDefault 23
    SavedDockState.ArrangementsPassAndAStateChangedAnywhereIsRefusedOrRestoresWhole 15
    FFT2DPaths.FoldedCellProductsEqualSeparateProducts 10
    TunnellingRun.TheDefaultRunPausesOnceSplitWithThePacketsTransmission 10
    DocumentsWindow.EveryPresetComesBackFromItsFile 10
    MainWindowScreenFit.TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable 9)
while(_vxo_long_tests)
  list(POP_FRONT _vxo_long_tests _vxo_name _vxo_seconds)
  set_tests_properties(${_vxo_name} PROPERTIES COST ${_vxo_seconds})
endwhile()
