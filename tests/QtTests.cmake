# Test executables of the Qt areas. The OpenGL tests need an X display:
# `make test` runs ctest under xvfb-run.
vxo_area_tests(document vxo_document QT_CORE)
vxo_area_tests(view vxo_view QT_WIDGETS)
vxo_area_tests(plots vxo_plots QT_WIDGETS)
vxo_area_tests(ui vxo_ui QT_WIDGETS)
# The Dynamics pages are checked against the document reader of their records.
target_link_libraries(ui_tests PRIVATE vxo_document)
# The committed form is exactly what its generator writes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME ui_form_is_generated COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/ui/form/generate.py --check)
set_tests_properties(ui_form_is_generated PROPERTIES LABELS ui TIMEOUT ${VXO_TEST_TIMEOUT})
# The form contract test compares the compiled form with the builder's own
# tables, which the generator writes as JSON into the build folder. The glob
# names what the contract depends on, not sources to build.
file(GLOB _form_modules CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/ui/form/*.py)
set(_form_contract ${CMAKE_CURRENT_BINARY_DIR}/form_contract.json)
add_custom_command(OUTPUT ${_form_contract}
                   COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/ui/form/generate.py --contract ${_form_contract}
                   DEPENDS ${_form_modules}
                   COMMENT "Writing the form contract"
                   VERBATIM)
add_custom_target(ui_form_contract DEPENDS ${_form_contract})
add_dependencies(ui_tests ui_form_contract)
target_compile_definitions(ui_tests PRIVATE VXO_FORM_CONTRACT="${_form_contract}")
vxo_area_tests(app vxo_app QT_WIDGETS)
# Tests that build a whole MainWindow; they read what a page's plot paints
# as the plot tests do.
vxo_area_tests(appwindow vxo_app QT_WIDGETS)
target_sources(appwindow_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/plots/PaintedTexts.cpp)
# The whole program as a teacher uses it: the window driven through its
# controls, and the program itself started and closed.
vxo_area_tests(e2e vxo_app QT_WIDGETS)
# The program test starts the built program and drives its window over the X
# protocol.
find_library(XCB_LIBRARY xcb REQUIRED)
target_link_libraries(e2e_tests PRIVATE ${XCB_LIBRARY})
target_compile_definitions(e2e_tests PRIVATE VXO_PROGRAM="$<TARGET_FILE:ondrivel>"
                                              VXO_LAYOUT_START="$<TARGET_FILE:vxo_layout_start>")
add_dependencies(e2e_tests ondrivel vxo_layout_start)
# The window looks for its help folder beside the program and up to three
# folders above it; the whole-window suites check the window without one, so
# their executables stand deep enough in the build folder that no such folder
# (the sources' help/, one in /tmp) is among the candidates.
set_target_properties(appwindow_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/whole-window/bin/appwindow)
# The window's start with a saved layout, which the window-state tests run as
# a child process: a start that crashes on a damaged settings file fails its
# test instead of ending the suite.
vxo_listed_sources(_layout_start_src tests/layoutstart VXO_LAYOUT_START_SOURCES)
add_executable(vxo_layout_start ${_layout_start_src})
# It waits for its layout to settle with the tests' own helper.
target_link_libraries(vxo_layout_start PRIVATE vxo_app vxo_qt_test_support)
set_target_properties(vxo_layout_start PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/whole-window/bin/layoutstart)
add_dependencies(appwindow_tests vxo_layout_start)
target_compile_definitions(appwindow_tests PRIVATE VXO_LAYOUT_START="$<TARGET_FILE:vxo_layout_start>")
set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/whole-window/bin/e2e)

# The widget test executables share one application object, the message
# capture and the event-loop helpers; the whole-window tests use only the
# message capture and the waits (their application object is the program's
# own start-up).
vxo_listed_sources(_support tests/common VXO_QT_TEST_SUPPORT_SOURCES)
add_library(vxo_qt_test_support STATIC ${_support} common/QtTestSupport.h)
target_include_directories(vxo_qt_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(vxo_qt_test_support PUBLIC Qt5::Gui Qt5::Widgets)
foreach(_executable view_tests plots_tests ui_tests appwindow_tests e2e_tests)
  target_link_libraries(${_executable} PRIVATE vxo_qt_test_support)
endforeach()
