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

vxo_area_library(vxo_document document VXO_DOCUMENT_SOURCES vxo_experiments Qt5::Core)
vxo_area_library(vxo_view view VXO_VIEW_SOURCES vxo_core Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_plots plots VXO_PLOTS_SOURCES vxo_experiments Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_ui ui VXO_UI_SOURCES vxo_view vxo_plots)
vxo_precompile(vxo_document QT_CORE)
vxo_precompile(vxo_view QT_WIDGETS)
vxo_precompile(vxo_plots QT_WIDGETS)
# The ui library compiles only the form, its moc file and the images: a
# precompiled header would take longer to make than it saves them.
# The embedded images, and the form header that uic writes for the main
# window and the form tests.
target_sources(vxo_ui PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/images/images.qrc)
target_include_directories(vxo_ui PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/vxo_ui_autogen/include)
# The form's setup is one straight-line function of several thousand lines
# that runs once per window: -Og builds it in a third of the time of -O3.
# Under the sanitizers even -Og instruments it for most of a minute, -O0 in a
# few seconds.
if(VXO_SANITIZE)
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/ui/MainWindowForm.cpp PROPERTIES COMPILE_OPTIONS -O0)
else()
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/ui/MainWindowForm.cpp PROPERTIES COMPILE_OPTIONS -Og)
endif()

# The main window's logic, with its form and plots from the ui and plots
# areas; the form's generated header reaches app/ through the ui library, so
# app/ runs no uic of its own.
vxo_area_library(vxo_app app VXO_APP_SOURCES vxo_document vxo_view vxo_plots vxo_ui Qt5::Core Qt5::Gui Qt5::Widgets)
vxo_precompile(vxo_app QT_WIDGETS)
set_target_properties(vxo_app PROPERTIES AUTOUIC OFF)

vxo_listed_sources(_vxo_program_sources app VXO_PROGRAM_SOURCES)
add_executable(ondrivel ${_vxo_program_sources})
target_link_libraries(ondrivel PRIVATE vxo_app)
set_target_properties(ondrivel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
