# The Qt-based areas, built like the plain ones with moc, uic and rcc on.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)

vxo_area_library(vxo_document document vxo_experiments Qt5::Core)
vxo_area_library(vxo_view view vxo_core Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_plots plots vxo_experiments Qt5::Gui Qt5::Widgets)
vxo_area_library(vxo_ui ui vxo_view)
if(TARGET vxo_ui)
  # The embedded images, and the form header that uic writes for the main
  # window and the form tests.
  target_sources(vxo_ui PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/images/images.qrc)
  target_include_directories(vxo_ui PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/vxo_ui_autogen/include)
endif()
