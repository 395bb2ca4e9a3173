# Read by ctest after the suites' discovered tests. A parallel run that
# starts its longest tests last ends on one of them alone while the other
# cores wait; ctest starts the tests of highest cost first, and a fresh build
# folder has no timings of its own (after a run, ctest keeps and uses the
# measured ones). The costs are seconds on two cores, of the release pass or
# of the sanitizer pass where a test takes longer there; only their order
# counts. A name that is no longer a test only loses its place at the start.
set(_vxo_long_tests
    GuideClaimsEarly.TunnellingAndSingleSlitGuidesQuoteWhatTheProgramShows 40
    GuideClaimsLate.SinaiBilliardGuideQuotesWhatTheProgramShows 36
    GuideClaimsLate.BlochAndRevivalGuidesQuoteWhatTheProgramShows 34
    GuideClaimsEarly.RabiAndLandauZenerGuidesQuoteWhatTheProgramShows 32
    GuideClaimsEarly.DoubleSlitGuideQuotesWhatTheProgramShows 30
    GuideClaimsEarly.TrapWellAndMeasurementGuidesQuoteWhatTheProgramShows 30
    GuideClaimsLate.ScarAndBerryPhaseGuidesQuoteWhatTheProgramShows 29
    GuideClaimsLate.EchoShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows 28
    GuideClaimsLate.HallEdgeBackflowAndDiracGuidesQuoteWhatTheProgramShows 27
    GuideClaimsEarly.DoubleWellQuenchAndDrivenGuidesQuoteWhatTheProgramShows 26
    GuideClaimsEarly.RamseyReturnAndHahnEchoGuidesQuoteWhatTheProgramShows 26
    GuideClaimsLate.RectangularBilliardGuideQuotesWhatTheProgramShows 25
    GuideClaimsEarly.StueckelbergAndRamseyTransferGuidesQuoteWhatTheProgramShows 22
    GuideClaimsEarly.ObstacleWedgeAndResonantTunnellingGuidesQuoteWhatTheProgramShows 22
    GuideClaimsEarly.FreePacketAndBarrierGuidesQuoteWhatTheProgramShows 21
    GuideClaimsEarly.EnsembleGuidesQuoteWhatTheProgramShows 18
    GuideClaimsLate.TalbotBouncerVortexRotorAndLaneGuidesQuoteWhatTheProgramShows 18
    PresetGeometryConvergence.DoubleSlitPassesOnItsOwnGridAsOnAFinerOne 27
    MainWindowScreenFit.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen 35
    PresetTour.EveryExperimentFillsItsAnalysisWithNumbersAndShowsItsGuide 20
    PresetGeometryConvergence.ResonantTunnellingTransmitsOnItsOwnGridAsOnAFinerOne 16
    MainWindowWindowState.ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft 14
    GuidedLoading.EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore 13
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
