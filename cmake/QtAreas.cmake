# The Qt-based areas. Each becomes a static library once its folder holds code.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)

macro(vxo_qt_area name dir)
  file(GLOB _qt_area_sources ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(_qt_area_sources)
    file(GLOB _qt_area_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    vxo_area_library(${name} ${dir} ${_qt_area_headers})
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endmacro()

vxo_qt_area(vxo_document document vxo_experiments Qt5::Core)
vxo_qt_area(vxo_view view vxo_core Qt5::Gui Qt5::Widgets)
vxo_qt_area(vxo_plots plots vxo_experiments Qt5::Gui Qt5::Widgets)
