# Test executables of the Qt areas. The OpenGL tests need an X display:
# `make test` runs ctest under xvfb-run.
vxo_area_tests(document vxo_document)
vxo_area_tests(view vxo_view)
vxo_area_tests(plots vxo_plots)

# The widget test executables share one application object, the message
# capture and the event-loop helpers.
if(TARGET view_tests OR TARGET plots_tests)
  add_library(vxo_qt_test_support STATIC common/QtTestSupport.cpp common/QtTestSupport.h)
  target_include_directories(vxo_qt_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(vxo_qt_test_support PUBLIC Qt5::Gui Qt5::Widgets)
  foreach(_executable view_tests plots_tests)
    if(TARGET ${_executable})
      target_link_libraries(${_executable} PRIVATE vxo_qt_test_support)
    endif()
  endforeach()
endif()
