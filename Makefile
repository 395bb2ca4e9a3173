# Entry points: `make run`, `make test`, `make bench`, `make soak`, `make convergence`, `make gallery`.
# Each first installs whatever Debian packages are missing.

JOBS      ?= $(shell nproc)
BUILD     ?= build
ASAN      ?= build-asan
BENCHDIR  ?= build-bench

PACKAGES := build-essential cmake qtbase5-dev qtbase5-dev-tools libqt5opengl5-dev \
            libgl1-mesa-dev libgl1-mesa-dri xvfb xauth googletest libgtest-dev \
            libbenchmark-dev libfftw3-dev clang libclang-rt-14-dev fonts-dejavu-core python3 libxcb1-dev \
            ninja-build openbox

# New build folders are made for Ninja, which starts a target's compiles
# before the libraries it links are built; a folder that already exists keeps
# its generator. The builds precompile the common system headers of each
# target (cmake/PrecompiledHeaders.cmake).
CMAKE_GENERATOR ?= Ninja
export CMAKE_GENERATOR
CONFIGURE := -DVXO_PRECOMPILED_HEADERS=ON

.PHONY: all deps configure build run test test-release configure-sanitize test-sanitize fuzz bench soak convergence gallery clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -ne 0 ] && SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

# The program and the tests share one build folder: `make run` builds only
# the program in it, and `make test` afterwards reuses those objects.
configure: deps
	cmake -S . -B $(BUILD) $(CONFIGURE) -DCMAKE_BUILD_TYPE=Release -DVXO_BUILD_TESTS=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS) $(if $(ONCE),--target $(ONCE_RELEASE_TARGETS))

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target ondrivel
	$(BUILD)/app/ondrivel

# `make test` runs each test of the widget areas once, to fit two cores in a
# quarter of an hour: under the sanitizers, or in the release pass for those
# named in RELEASE_ONLY_TESTS. The tests of the solvers, the experiments, the
# benchmarks' references and the documents run in both passes: the release
# build's vector code is what they check bit for bit, and they take seconds.
# The release build then builds only the test programs it runs (the widget
# areas' own compile under clang in the sanitizer build), and the fuzzer runs
# beside the sanitizer pass. `make test-release` and `make test-sanitize`
# alone still run every test of their build.
test: ONCE := 1
test: test-release test-sanitize

BOTH_PASSES_LABELS := ^(core|experiments|bench|document)$$
ONCE_RELEASE_TARGETS := core_tests experiments_tests bench_tests document_tests appwindow_tests e2e_tests

# -noreset: Xvfb otherwise resets whenever its last client leaves and drops
# a test that connects during the reset.
#
# The window's own screen decides where a restored window comes back and
# whether the form's size fits: the window-state tests, the screen-fit tests
# that lay the window out on it and the reset of a window left off it run
# once more on a screen taller than the form, as a teacher's 1920 x 1200 or
# larger monitor (the walks of every page and figure over many screens
# pass their screens to the window and are left out).
TALL_XVFB := xvfb-run -a -s "-screen 0 1920x1280x24 -noreset"
TALL_SCREEN_TESTS := ^MainWindowWindowState\.|^MainWindowScreenFit\.|^MainWindowLessonLayout\.Reset
TALL_SCREEN_SKIPPED := TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable \
                       WhatAGuideReadsOnAPageIsInViewOnChoosingItOnEveryScreenAndTextSize \
                       AOnePanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize \
                       ATwoPanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize \
                       EveryAnalysisPageOpensTheSameWayWhateverWasLoadedBefore
TALL_SCREEN_SKIPPED_REGEX = $(subst $(space),|,$(patsubst %,^MainWindowScreenFit\.%$$,$(TALL_SCREEN_SKIPPED)))

test-release: build
	cd $(BUILD) && $(XVFB) ctest --output-on-failure -j $(JOBS) $(if $(ONCE),--no-tests=error -R '$(RELEASE_ONLY_REGEX)')
	$(if $(ONCE),cd $(BUILD) && $(XVFB) ctest --output-on-failure --no-tests=error -j $(JOBS) \
	    -L '$(BOTH_PASSES_LABELS)' -E '$(RELEASE_ONLY_REGEX)')
	cd $(BUILD) && $(TALL_XVFB) ctest --output-on-failure --no-tests=error -j $(JOBS) \
	    -R '$(TALL_SCREEN_TESTS)' -E '$(TALL_SCREEN_SKIPPED_REGEX)'

# Every area's tests again under AddressSanitizer and UBSan, in a Debug -O1
# build of its own with line tables only (reports keep file and line; full
# debug information made the build a third slower), the OpenGL ones under
# xvfb-run. clang builds it in about two thirds of gcc's time with the same
# checks, and its runtime reads the same suppressions. -noreset: Xvfb
# otherwise resets whenever its last client leaves and drops a test process
# that connects during the reset.
#
# Most tests record their allocation stacks with the fast unwinder, which
# follows the frame pointers of the program's own code and stops at the
# first library built without them; that lets the viewport render with
# llvmpipe (the slow unwinder deadlocks against LLVM's JIT registering its
# unwind tables), a tenth of the cost of softpipe's interpreted shaders.
# Two tests see leaks of the libraries under a second context, where only a
# full stack names the library: they run with the slow unwinder and softpipe
# with a draw module without LLVM, so that tests/lsan.supp can name the one
# frame of each leak (the real program closing with Mesa's driver already
# unloaded; a view reparented into a new context).
#
# intercept_tls_get_addr=0: the thread-local storage of a library opened at
# run time (LLVM's, which Mesa's driver opens and uses in the thread that
# compiles the shaders) lies in heap blocks of the loader. Clang 14's leak
# checker guesses each block's bounds from the 16 bytes before it; when the
# block starts 16 bytes into a page those are the allocator's own header,
# and its scan at exit faults on the made-up range ("Tracer caught signal 11"
# after a passing test, a few runs in a hundred under load). Without the
# guess the checker still scans every block the loader allocated, these
# among them, as it did whenever the guess failed: no leak check is left out.
SANITIZER_OPTIONS := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
                     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
SANITIZER_ASAN := detect_leaks=1:intercept_tls_get_addr=0
SANITIZER_ENV := $(SANITIZER_OPTIONS) ASAN_OPTIONS=$(SANITIZER_ASAN):fast_unwind_on_malloc=1 \
                 GALLIUM_DRIVER=llvmpipe
FULL_STACK_ENV := $(SANITIZER_OPTIONS) ASAN_OPTIONS=$(SANITIZER_ASAN):fast_unwind_on_malloc=0 \
                  GALLIUM_DRIVER=softpipe DRAW_USE_LLVM=0
FULL_STACK_TESTS := ^TheProgram\.|^QuantumGLViewRender\.ReparentingKeepsThePicture$$
# Whole-window tests that add no code path of their own run in the release
# pass only; each of their suites keeps other cases under the sanitizers.
# Of the three tests that go through every guided experiment, the preset tour
# runs under the sanitizers (each experiment loaded, run and analysed by the
# whole program); the form filled for each and the round trip of each through
# a file (and through its file rewritten at each earlier schema) use the
# loading, upgrade and document code of the other guided-loading and document
# tests. The rest repeat a path over a longer run or another preset:
# the beating superposition prepares its levels as the stationary-state test
# does; sixteen-fold speed runs the steps and ticks of the hundred-step free
# run and the tick tests; repeated collapses repeat those of the other
# measurement lessons; the barrier runs pause on separation as the
# tunnelling run does. The preset tour fills every analysis page of every
# experiment, so the long runs that check the numbers of the recorder
# summaries, the Rabi and Zeno pages and the references calibrated for each
# preset run in the release pass only, while their suites keep the hints, the
# other pages and the stationary states under the sanitizers; so do the
# checks of the Ramsey, Landau-Zener, Stueckelberg and Loschmidt pages'
# numbers, of the fringe scans' ranges and of the weight outside the pair
# at the end of each sweep and sequence, pages the tour fills too. The
# Loschmidt echo's two converged returns take thousands of steps, as the
# sub-step runs below do, and so do the resonant cavity's and the double slit's
# transmission on their own grid against 1024 x 1024, the closed box's energy over 2000 steps,
# the revival box run to its revival and its levels against plain Jacobi
# rotations on the finest grid, the Aharonov-Bohm passage at an eight
# times finer step, the packet driven against a tall wall in a field, the
# sweeps' populations held still after the sweep (the pair they read is
# followed in the shorter bound-state tests) and the shutter's whole analysis. The guides' claims run
# every guided experiment they quote to the moments the guides name, on the
# presets' own grids (a whole Berry loop among them). The converged
# runs behind the sub-step rule (turned and round walls, the stadium's energy,
# a packet held by sharp walls, a disc on three grids, a double well against
# plain steps, a packet bouncing between tall walls) take thousands of steps
# on fine grids; the sanitizers see the same solver code in the shorter
# solver tests. So do
# window tests that walk one rule over many cases (a bound-state page after
# three loads, proposals from three to many states, a failed computation, the
# scattering thresholds cell by cell, three pages opened in six orders), whose
# code the other tests of their suites run under the sanitizers; and so do the
# layout walks over many screens and damaged settings (the toolkit's dock
# layout, 26 and 17 window starts, every figure a guide names and every
# analysis plot on every screen) and the starts that come up together (21), whose saving, checksum,
# check, fitting and painting code the shorter window-state, dock-state,
# screen-fit and plot tests run under the sanitizers. So do the potential of
# every drive protocol checked over 65 steps (the preset tour drives each
# protocol's experiment), the populations of a tilted double well against a
# pair relaxed on an eight times finer step and the Zeno escape at three
# measurement rates and the Zeno window run to t = 30 at two layer widths
# and two rates (the shorter bound-state, Landau-Zener and Zeno tests run
# the relaxation, the projection, the measurements and their booking), the barrier
# readings of four slow runs to separation (the layer's count and its
# bookkeeping have their own tests and the shorter barrier page tests run
# them and the check of the cells), the cells check of a slow packet run to
# its longest time and to its most work (the slices' test runs the same line
# code), the Zitterbewegung window run to t = 60
# past its box (the recorder's own test keeps the fit at the mark), the names
# on two whole screens (the shorter page tests write the same labels), and the whole
# transform against the line algorithm on the best path only (the path tests
# check every variant on every shape). So do the program started six times
# under a window manager, and one profile moved between three screens with
# a window manager (eight starts and their resets): their start, restore and
# close are those the full-stack program test runs under the sanitizers,
# and sanitized starts rendering with softpipe take minutes. So do a window
# start in a child process at text enlarged by half (every window start runs
# the loading it checks) and the docks arranged by hand and kept through
# resizes (the same fits and reset as the other window-state tests). Each
# name must be a test of the build (checked below), so that a renamed test
# does not slip back into the sanitizer pass.
RELEASE_ONLY_TESTS := DocumentsWindow.EveryPresetComesBackFromItsFile \
                      GuidedLoading.EveryPresetFillsTheFormShowsItsPageRunsAndStartsTheSameWhateverCameBefore \
                      MainWindowBoundStates.SuperpositionBeatsAtTheLevelSpacing \
                      FreeRun.SixteenTimesFasterRunsTheSameStepsAndObservesOncePerTick \
                      MeasurementLesson.RepeatedCollapsesOfOneStateScatterAsDensityAndPointerTogether \
                      PanelsScatteringTest.BarrierRunsPauseThemselvesOnceThePacketHasSeparated \
                      RecorderPanelsTest.SummariesCarryTheNumbersOfThePhysics \
                      PanelsTwoLevelTest.RabiPanelPredictsTheDrivenPairFromItsSplittingAndDipole \
                      RecorderPanelsII.ZenoPageCountsTheMeasurementsOfTheWatchedLane \
                      MainWindowBoundStates.RebuildCalibratesTheSweepAndRamseyReferences \
                      SubStepRule.WallsOfEveryOrientationHoldAsAConvergedRun \
                      SubStepRule.AStadiumKeepsTheEnergyTheStepConserves \
                      SubStepRule.ADiscKeepsTheEnergyTheStepConservesOnEveryGrid \
                      SubStepRule.TheTwoLevelDoubleWellOnTheFinestCellsTakesAtMostTwiceWhatConvergenceNeeds \
                      SubStepRule.APacketBouncingBetweenTallWallsStaysWithTheConvergedRun \
                      SplitStepFourierSolver2DStep.SharpWallsHoldAPacketOfLowerEnergy \
                      MainWindowBoundStates.AGuidedLoadLeavesThePageAsANewWindowHasIt \
                      MainWindowBoundStates.ComputedStatesProposeTheThirdAsSoonAsThereAreThree \
                      MainWindowBoundStates.AFailedComputationWithAStatePreparedFallsBackToThePacket \
                      PanelsScatteringTest.StagesChangeExactlyAtTheInteractionThresholds \
                      MainWindowScreenFit.EveryAnalysisPageOpensTheSameWayWhateverWasLoadedBefore \
                      PanelsTwoLevelTest.RamseyPanelPredictsTheSequenceAndItsEnsemble \
                      PanelsTwoLevelTest.LandauZenerPanelPredictsThePassageAndProjectsTheLiveField \
                      PanelsTwoLevelTest.StueckelbergPanelPredictsBothPassagesAndTheirInterference \
                      PanelsTwoLevelTest.FringeScansReachWellPastTheSettingInUse \
                      PanelsTwoLevelTest.TwoLevelReferencesSayWhatTheyIdealiseAndWhatLeavesThePair \
                      RecorderPanelsII.LoschmidtPageFollowsTheReversalToAnEchoOfOne \
                      LoschmidtEcho.ThePacketComesBackToItsStartAtTwiceTheReversalTime \
                      LoschmidtEcho.AMomentumErrorAtTheReversalSpoilsTheReturn \
                      PresetGeometryConvergence.ResonantTunnellingTransmitsOnItsOwnGridAsOnAFinerOne \
                      PresetGeometryConvergence.DoubleSlitPassesOnItsOwnGridAsOnAFinerOne \
                      PresetGeometryConvergence.BilliardsFillTheirFreeAreaToOneLevelOnTheirOwnGridAndAFinerOne \
                      PanelsTwoLevelTest.LandauZenerPopulationsHoldStillOnceThePotentialDoes \
                      PanelsTwoLevelTest.StueckelbergPopulationsHoldStillOnceThePotentialDoes \
                      PaintedWellRevival.ThePopulatedLevelsAreThoseOfJacobiRotations \
                      GaugeWall.APacketDrivenAgainstATallWallInAFieldStaysOutsideIt \
                      EnergyOfTheSteppedHamiltonian.AClosedBoxKeepsThePlainStepsEnergy \
                      PaintedWellRevival.TheLevelsOfThePaintedBoxGiveTheMeasuredRevival \
                      AharonovBohmRecorder.ThePassageReadsTheSameAtAFinerStep \
                      RecorderPanelsII.MoshinskyFringesDoNotDependOnTheSampling \
                      GuideClaimsEarly.FreePacketAndBarrierGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.TunnellingGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.SingleSlitGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.DoubleSlitGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.ObstacleAndWedgeGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.ResonantTunnellingGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.HarmonicTrapGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.WellAndMeasurementGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.DoubleWellAndQuenchGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.DrivenGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.RabiAndDiabaticSweepGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.AdiabaticSweepGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.StueckelbergGuidesQuoteWhatTheProgramShows \
                      GuideClaimsEarly.RamseyTransferGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.RamseyReturnGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.HahnEchoGuideQuotesWhatTheProgramShows \
                      GuideClaimsEarly.EnsembleGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.BlochAndRevivalGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.RectangularBilliardGuideQuotesWhatTheProgramShows \
                      GuideClaimsLate.SinaiBilliardGuideQuotesWhatTheProgramShows \
                      GuideClaimsLate.TalbotAndBouncerGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.VortexLaneAndKickedRotorGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAsLoadedAndAtASlowerRate \
                      GuideClaimsLate.ZenoGuideQuotesWhatTheProgramShowsAtOtherRatesAndLayers \
                      GuideClaimsLate.ScarGuideQuotesWhatTheProgramShows \
                      GuideClaimsLate.BerryPhaseGuideQuotesWhatTheProgramShows \
                      GuideClaimsLate.LoschmidtEchoGuideQuotesWhatTheProgramShows \
                      GuideClaimsLate.ShutterGratingAndMagneticGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.HallEdgeBackflowAndZitterbewegungGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.KleinRunMapAndAngleGuidesQuoteWhatTheProgramShows \
                      GuideClaimsLate.KleinScansAndMasslessDiracGuidesQuoteWhatTheProgramShows \
                      MainWindowWindowState.ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft \
                      MainWindowWindowState.ADamagedLayoutWithAMatchingChecksumStartsWithoutACrash \
                      MainWindowWindowState.StartsThatComeUpTogetherKeepTheSavedLayout \
                      MainWindowWindowState.NoLockOnTheSettingsHoldsAStartOrACloseForLong \
                      MainWindowWindowState.ALayoutSavedOnOneScreenComesBackFittingAnother \
                      MainWindowWindowState.TheFirstStartWhereTheGuideIsATabShowsTheGuide \
                      MainWindowWindowState.AnArrangementTheUserMadeIsKeptUntilReset \
                      MainWindowScreenFit.TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable \
                      MainWindowScreenFit.EveryDockShowsItsTextsWholeWithoutScrollingSideways \
                      SimulationTickTest.EachProtocolDrivesThePotentialByItsFormulaAndTheUndrivenSceneReturns \
                      QuantumLandauZener2D.SteppedPopulationsAreConstantsOfTheStaticWell \
                      QuantumZeno2D.FrequentMeasurementSlowsTheEscape \
                      FFT2D.BitIdenticalToScalarLineAlgorithm \
                      TheProgram.UnderAWindowManagerComesUpWithItsWholeFrameOnTheScreen \
                      TheProgram.OneProfileMovedBetweenScreensKeepsItsWholeFrameOnEachAndAfterAReset \
                      MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/barrier_scattering \
                      MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/quantum_tunneling \
                      MainWindowScreenFit/GuideFigureWalk.EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen/resonant_tunneling \
                      MainWindowScreenFit.AOnePanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize \
                      MainWindowScreenFit.ATwoPanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize \
                      PanelsScatteringTest.ThePacketsTransmissionIsReadWhateverTheLayerTookBeforeSeparation \
                      RecorderPanelsII.ZenoRatioOfRareMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes \
                      RecorderPanelsII.ZenoRatioOfFrequentMeasurementsDoesNotDependOnWhatTheAbsorbingLayerTakes \
                      PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairOnAndOffItsLevels \
                      PanelsScatteringTest.TheDoubleBarrierIsReadAsTheDrainedPairAtItsNarrowLevelAndWithUnequalWalls \
                      RecorderPanelsII.KapitzaDiracPulsesGiveTheExactPopulationsWhateverTheirLengthAndTheLayerTook \
                      PanelsScatteringTest.TheSingleBarrierIsComparedWithTheThicknessTheGridPaints \
                      DrainedRowTransmission.ASlowPacketIsBookedAtTheLimitAndFineCellsStayWithinTheWork \
                      PanelsDirac.ZitterbewegungWindowPastTheBoxSaysSoInsteadOfAFigure \
                      PanelsTwoLevelTest.EachNameOnAScreenCarriesOneFigure
empty :=
space := $(empty) $(empty)
RELEASE_ONLY_REGEX := $(subst $(space),|,$(patsubst %,^%$$,$(subst .,\.,$(RELEASE_ONLY_TESTS))))
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"

# The sanitizer build holds the document reader's fuzzer too, which reuses
# its libraries.
configure-sanitize: deps
	cmake -S . -B $(ASAN) $(CONFIGURE) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" \
	      -DVXO_BUILD_TESTS=ON -DVXO_SANITIZE=ON -DVXO_FUZZ=ON

test-sanitize: configure-sanitize
	cmake --build $(ASAN) -j $(JOBS)
	@cd $(ASAN) && for t in $(subst .,\\.,$(RELEASE_ONLY_TESTS)); do \
	  ctest -N -R "^$$t$$" | grep -q "^Total Tests: 1$$" || \
	    { echo "RELEASE_ONLY_TESTS names $$t, which is not a test of $(ASAN)" >&2; exit 1; }; \
	done
	@# The full-stack tests run one at a time beside the others, on an X
	@# server of their own numbered apart so that the two starts do not race
	@# for one number: the program's start and close under them is the
	@# longest test of the pass.
	@# Under `make test` the fuzzer runs beside them too.
	$(if $(ONCE),tests/fuzz/run.sh $(ASAN) > $(ASAN)/fuzz.log 2>&1 & fuzz=$$!;) \
	cd $(ASAN) && { env $(FULL_STACK_ENV) $(XVFB) -n 199 \
	      ctest --output-on-failure --no-tests=error -R '$(FULL_STACK_TESTS)' -E '$(RELEASE_ONLY_REGEX)' > full-stack-tests.log 2>&1 & full=$$!; \
	    env $(SANITIZER_ENV) $(XVFB) \
	      ctest --output-on-failure -j $(JOBS) -E '$(FULL_STACK_TESTS)|$(RELEASE_ONLY_REGEX)'; others=$$?; \
	    wait $$full; full=$$?; cat full-stack-tests.log; \
	    fuzzed=0; $(if $(ONCE),wait $$fuzz; fuzzed=$$?; cat fuzz.log;) \
	    [ $$others -eq 0 ] && [ $$full -eq 0 ] && [ $$fuzzed -eq 0 ]; }

# The document reader under libFuzzer for 30 seconds, in the sanitizer build.
fuzz: configure-sanitize
	cmake --build $(ASAN) -j $(JOBS) --target document_reader_fuzz
	tests/fuzz/run.sh $(ASAN)

bench: deps
	cmake -S . -B $(BENCHDIR) $(CONFIGURE) -DCMAKE_BUILD_TYPE=Release -DVXO_BUILD_TESTS=OFF -DVXO_BUILD_BENCH=ON
	cmake --build $(BENCHDIR) -j $(JOBS) --target vxo_bench
	$(BENCHDIR)/bench/vxo_bench

# Every guided experiment for 2000 steps in one window: non-finite values,
# norm drift beyond the absorbing layer's losses, memory growth (minutes).
soak: build
	cmake --build $(BUILD) -j $(JOBS) --target vxo_soak
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/vxo_soak

# The headline numbers of all 54 guided experiments at dt and dt / 8, and of
# those whose pages depend most on the grid also on the next finer grid: one
# process per experiment, $(JOBS) at a time (hours of CPU; rows print as they end).
CONVERGENCE_GRID_PRESETS := 1 2 4 7 28 40 42 43
CONVERGENCE_STEP_PRESETS := 0 3 5 6 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 29 30 31 32 33 34 35 36 37 38 39 41 44 45 46 47 48 49 50 51 52 53
convergence: build
	cmake --build $(BUILD) -j $(JOBS) --target vxo_convergence
	echo $(CONVERGENCE_GRID_PRESETS) | tr ' ' '\n' | QT_QPA_PLATFORM=offscreen xargs -n 1 -P $(JOBS) $(BUILD)/tools/vxo_convergence
	echo $(CONVERGENCE_STEP_PRESETS) | tr ' ' '\n' | QT_QPA_PLATFORM=offscreen xargs -n 1 -P $(JOBS) $(BUILD)/tools/vxo_convergence --no-grid

# A screenshot of the window for every guided experiment, in gallery/.
gallery: build
	tools/gallery.sh $(BUILD) gallery

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCHDIR)
