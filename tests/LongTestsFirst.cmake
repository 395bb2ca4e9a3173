# Read by ctest after the suites' discovered tests. A parallel run that
# starts its longest tests last ends on one of them alone while the other
# cores wait; ctest starts the tests of highest cost first, and a fresh build
# folder has no timings of its own (after a run, ctest keeps and uses the
# measured ones). The costs are seconds of `make test` with three jobs, of the
# release pass or of the sanitizer pass where a test takes longer there; only
# their order counts. A name that is no longer a test only loses its place at
# the start.
set(_vxo_long_tests
    PresetGeometryConvergence.DoubleSlitPassesOnItsOwnGridAsOnAFinerOne 80
    PresetTour.EveryExperimentFillsItsAnalysisWithNumbersAndShowsItsGuide 66
    GuideClaimsEarly.ResonantTunnellingGuideQuotesWhatTheProgramShows 54
    PanelsTwoLevelTest.ATickProjectsOnceAndRelaxesTheSweepPairOnlyWhenItsRowMoves 51
    GuideClaimsEarly.DoubleSlitGuideQuotesWhatTheProgramShows 50
    GuideClaimsEarly.HarmonicTrapGuideQuotesWhatTheProgramShows 49
    PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairOnAndOffItsLevels 47
    PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairAtItsNarrowLevelAndWithUnequalWalls 47
    GuideClaimsLate.SinaiBilliardGuideQuotesWhatTheProgramShows 44
    GuideClaimsLate.BlochAndRevivalGuidesQuoteWhatTheProgramShows 43
    GuideClaimsEarly.FreePacketAndBarrierGuidesQuoteWhatTheProgramShows 40
    PresetGeometryConvergence.BilliardsFillTheirFreeAreaToOneLevelOnTheirOwnGridAndAFinerOne 40
    GuideClaimsEarly.SingleSlitGuideQuotesWhatTheProgramShows 38
    GuideClaimsLate.LoschmidtEchoGuideQuotesWhatTheProgramShows 38
    GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAtOtherRatesAndLayers 36
    GuideClaimsEarly.DrivenGuidesQuoteWhatTheProgramShows 35
    MainWindowWindowState.LayoutAndTabsSurviveARestartAndResetRestoresTheDefault 34
    FFT2DPaths.FoldedCellProductsEqualSeparateProducts 33
    GuideClaimsEarly.HahnEchoGuideQuotesWhatTheProgramShows 33
    GuideClaimsEarly.AdiabaticSweepGuideQuotesWhatTheProgramShows 32
    GuideClaimsEarly.EnsembleGuidesQuoteWhatTheProgramShows 32
    GuideClaimsLate.KleinScansAndMasslessDiracGuidesQuoteWhatTheProgramShows 31
    SavedDockState.ArrangementsPassAndAStateChangedAnywhereIsRefusedOrRestoresWhole 31
    GuideClaimsEarly.TunnellingGuideQuotesWhatTheProgramShows 29
    GuideClaimsEarly.StueckelbergGuidesQuoteWhatTheProgramShows 29
    RecorderPanelsII.ZenoRatioOfRareMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes 28
    RecorderPanelsII.ZenoRatioOfFrequentMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes 28
    GuideClaimsLate.BerryPhaseGuideQuotesWhatTheProgramShows 27
    PanelsGaugeTest.TheLandauPageSeeksTheReturnFromHalfACyclotronPeriod 27
    GuideClaimsLate.HallEdgeBackflowAndZitterbewegungGuidesQuoteWhatTheProgramShows 26
    GuideClaimsLate.KleinRunMapAndAngleGuidesQuoteWhatTheProgramShows 26
    TunnellingRun.TheDefaultRunPausesOnceSplitWithThePacketsTransmission 26
    GuideClaimsLate.RectangularBilliardGuideQuotesWhatTheProgramShows 24
    GuideClaimsLate.ScarGuideQuotesWhatTheProgramShows 24
    GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAsLoadedAndAtASlowerRate 24
    MainWindowWindowState.StartsThatComeUpTogetherKeepTheSavedLayout 24
    DocumentsWindow.EveryRecordBoxAtEitherEndIsKeptAndOneStepPastItIsRefusedByName 24
    DocumentsWindow.RandomBoxValuesOnRandomPresetsAreKeptBySaveAndLoad 20
    GuideClaimsEarly.WellAndMeasurementGuidesQuoteWhatTheProgramShows 23
    GuideClaimsEarly.RamseyReturnGuideQuotesWhatTheProgramShows 23
    GuideClaimsEarly.ObstacleAndWedgeGuidesQuoteWhatTheProgramShows 20
    GuideClaimsEarly.RabiAndDiabaticSweepGuidesQuoteWhatTheProgramShows 20
    GuideClaimsLate.TalbotAndBouncerGuidesQuoteWhatTheProgramShows 20
    GuidedLoading.EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore 19
    GuideClaimsLate.VortexLaneAndKickedRotorGuidesQuoteWhatTheProgramShows 19
    GuideClaimsEarly.RamseyTransferGuideQuotesWhatTheProgramShows 18
    GuideClaimsLate.ShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows 18
    GuideClaimsEarly.DoubleWellAndQuenchGuidesQuoteWhatTheProgramShows 17
    MainWindowWindowState.ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft 15
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/barrier_scattering 12
    DocumentsWindow.EveryPresetComesBackFromItsFile 10
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/quantum_tunneling 9
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/resonant_tunneling 9
    MainWindowScreenFit.TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable 9)
while(_vxo_long_tests)
  list(POP_FRONT _vxo_long_tests _vxo_name _vxo_seconds)
  set_tests_properties(${_vxo_name} PROPERTIES COST ${_vxo_seconds})
endwhile()
