# The Qt-based areas, built like the plain ones with moc, uic and rcc on.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)
# Qt's lower-case keywords (emit, signals, slots, foreach) are macros that
# would rewrite plain C++ names such as a callback called emit wherever a Qt
# header comes first, as it does under precompiled headers. Code that needs
# them writes Q_SIGNALS, Q_SLOTS and Q_EMIT.
add_compile_definitions(QT_NO_KEYWORDS)

vxo_area_library(vxo_document document vxo_experiments Qt5::Core)
vxo_area_library(vxo_view view vxo_core Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_plots plots vxo_experiments Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_ui ui vxo_view vxo_plots)
vxo_precompile(vxo_document QT_CORE)
vxo_precompile(vxo_view QT_WIDGETS)
vxo_precompile(vxo_plots QT_WIDGETS)
vxo_precompile(vxo_ui QT_WIDGETS)
if(TARGET vxo_ui)
  # The embedded images, and the form header that uic writes for the main
  # window and the form tests.
  target_sources(vxo_ui PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/images/images.qrc)
  target_include_directories(vxo_ui PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/vxo_ui_autogen/include)
  # The form's setup is one straight-line function of several thousand lines
  # that runs once per window: -Og builds it in a third of the time of -O3,
  # and in under half that of -O1 under the sanitizers.
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/ui/MainWindowForm.cpp PROPERTIES COMPILE_OPTIONS -Og)
endif()

# The main window's logic. Its form and plots come from the ui and plots
# areas once they are built; the form's generated header reaches app/ through
# the ui library, so app/ runs no uic of its own.
set(_vxo_app_links vxo_document vxo_view Qt5::Core Qt5::Gui Qt5::Widgets)
foreach(_area vxo_plots vxo_ui)
  if(TARGET ${_area})
    list(APPEND _vxo_app_links ${_area})
  endif()
endforeach()
vxo_area_library(vxo_app app ${_vxo_app_links})
vxo_precompile(vxo_app QT_WIDGETS)
if(TARGET vxo_app)
  set_target_properties(vxo_app PROPERTIES AUTOUIC OFF)
endif()

# MainWindow is one class implemented in one source per concern; the program
# links only once the form exists and every one of those sources is present.
set(VXO_MAIN_WINDOW_SOURCES
    MainWindow.cpp MainWindowWindowState.cpp MainWindowTransport.cpp MainWindowTick.cpp
    MainWindowAppliers.cpp MainWindowRebuild.cpp MainWindowRecorderSetup.cpp MainWindowPreparation.cpp
    MainWindowBoundStates.cpp MainWindowGaugeFields.cpp MainWindowSettingsFromForm.cpp
    MainWindowSettingsIntoForm.cpp MainWindowScene.cpp MainWindowMeasurement.cpp MainWindowLoading.cpp
    MainWindowDocuments.cpp MainWindowWiring.cpp MainWindowModes.cpp MainWindowRefresh.cpp
    MainWindowDiagnostics.cpp MainWindowStatus.cpp MainWindowPanelsScattering.cpp
    MainWindowPanelsTwoLevel.cpp MainWindowPanelsRecordersI.cpp MainWindowPanelsRecordersII.cpp
    MainWindowPanelsGauge.cpp MainWindowPanelsDirac.cpp MainWindowHelp.cpp)
set(VXO_MAIN_WINDOW_COMPLETE ON)
foreach(_source ${VXO_MAIN_WINDOW_SOURCES})
  if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/app/${_source})
    set(VXO_MAIN_WINDOW_COMPLETE OFF)
  endif()
endforeach()

if(TARGET vxo_app AND TARGET vxo_ui AND VXO_MAIN_WINDOW_COMPLETE)
  add_executable(ondrivel app/main/main.cpp)
  target_link_libraries(ondrivel PRIVATE vxo_app)
  set_target_properties(ondrivel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
endif()
