# Read by ctest after the suites' discovered tests. A parallel run that
# starts its longest tests last ends on one of them alone while the other
# cores wait; ctest starts the tests of highest cost first, and a fresh build
# folder has no timings of its own (after a run, ctest keeps and uses the
# measured ones). The costs are seconds of `make test` with three jobs, of the
# release pass or of the sanitizer pass where a test takes longer there; only
# their order counts. A name that is no longer a test only loses its place at
# the start.
set(_vxo_long_tests
    GuideClaimsEarly.ObstacleWedgeAndResonantTunnellingGuidesQuoteWhatTheProgramShows 77
    PresetGeometryConvergence.DoubleSlitPassesOnItsOwnGridAsOnAFinerOne 72
    PresetTour.EveryExperimentFillsItsAnalysisWithNumbersAndShowsItsGuide 66
    GuideClaimsEarly.HarmonicTrapGuideQuotesWhatTheProgramShows 53
    GuideClaimsEarly.DoubleWellQuenchAndDrivenGuidesQuoteWhatTheProgramShows 51
    GuideClaimsEarly.StueckelbergAndRamseyTransferGuidesQuoteWhatTheProgramShows 51
    PanelsTwoLevelTest.ATickProjectsOnceAndRelaxesTheSweepPairOnlyWhenItsRowMoves 51
    PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairWouldReadNearResonance 47
    GuideClaimsEarly.FreePacketAndBarrierGuidesQuoteWhatTheProgramShows 46
    GuideClaimsLate.BlochAndRevivalGuidesQuoteWhatTheProgramShows 46
    GuideClaimsEarly.SingleSlitGuideQuotesWhatTheProgramShows 45
    GuideClaimsEarly.EnsembleGuidesQuoteWhatTheProgramShows 43
    GuideClaimsLate.KleinAndMasslessDiracGuidesQuoteWhatTheProgramShows 42
    GuideClaimsEarly.RabiAndLandauZenerGuidesQuoteWhatTheProgramShows 41
    PresetGeometryConvergence.BilliardsFillTheirFreeAreaToOneLevelOnTheirOwnGridAndAFinerOne 40
    GuideClaimsLate.EchoShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows 37
    MainWindowWindowState.LayoutAndTabsSurviveARestartAndResetRestoresTheDefault 34
    FFT2DPaths.FoldedCellProductsEqualSeparateProducts 33
    GuideClaimsEarly.DoubleSlitGuideQuotesWhatTheProgramShows 33
    SavedDockState.ArrangementsPassAndAStateChangedAnywhereIsRefusedOrRestoresWhole 31
    GuideClaimsLate.ScarGuideQuotesWhatTheProgramShows 31
    GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAtOtherRatesAndLayers 29
    RecorderPanelsII.ZenoRatioOfRareMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes 28
    RecorderPanelsII.ZenoRatioOfFrequentMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes 28
    GuideClaimsLate.SinaiBilliardGuideQuotesWhatTheProgramShows 28
    PanelsGaugeTest.TheLandauPageSeeksTheReturnFromHalfACyclotronPeriod 27
    GuideClaimsEarly.RamseyReturnAndHahnEchoGuidesQuoteWhatTheProgramShows 27
    TunnellingRun.TheDefaultRunPausesOnceSplitWithThePacketsTransmission 26
    MainWindowWindowState.StartsThatComeUpTogetherKeepTheSavedLayout 24
    GuideClaimsLate.BerryPhaseGuideQuotesWhatTheProgramShows 23
    GuideClaimsLate.TalbotAndBouncerGuidesQuoteWhatTheProgramShows 21
    GuideClaimsEarly.TunnellingGuideQuotesWhatTheProgramShows 20
    GuideClaimsLate.HallEdgeBackflowAndZitterbewegungGuidesQuoteWhatTheProgramShows 19
    GuidedLoading.EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore 19
    GuideClaimsLate.RectangularBilliardGuideQuotesWhatTheProgramShows 18
    GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAsLoadedAndAtASlowerRate 18
    GuideClaimsEarly.WellAndMeasurementGuidesQuoteWhatTheProgramShows 17
    MainWindowWindowState.ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft 15
    GuideClaimsLate.VortexLaneAndKickedRotorGuidesQuoteWhatTheProgramShows 12
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/barrier_scattering 12
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/quantum_tunneling 9
    MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/resonant_tunneling 9
    DocumentsWindow.EveryPresetComesBackFromItsFile 10
    MainWindowScreenFit.TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable 9)
while(_vxo_long_tests)
  list(POP_FRONT _vxo_long_tests _vxo_name _vxo_seconds)
  set_tests_properties(${_vxo_name} PROPERTIES COST ${_vxo_seconds})
endwhile()
