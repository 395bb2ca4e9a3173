# Test executables of the Qt areas. Widget tests run on the offscreen
# platform; OpenGL tests need a real X display (xvfb-run around ctest).
if(TARGET vxo_document)
  vxo_area_tests(document vxo_document Qt5::Core)
endif()
if(TARGET vxo_view)
  vxo_area_tests(view vxo_view)
endif()
if(TARGET vxo_plots)
  vxo_area_tests(plots vxo_plots)
  if(TARGET plots_tests)
    set_property(DIRECTORY APPEND PROPERTY VXO_OFFSCREEN_TESTS plots_tests)
  endif()
endif()
