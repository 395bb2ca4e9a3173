# Test executables of the Qt areas. The OpenGL tests need an X display:
# `make test` runs ctest under xvfb-run.
vxo_area_tests(document vxo_document)
vxo_area_tests(view vxo_view)
vxo_area_tests(plots vxo_plots)
vxo_area_tests(app vxo_app)
# Tests that build a whole MainWindow: they link once every source of the
# window is present (see cmake/QtAreas.cmake).
if(VXO_MAIN_WINDOW_COMPLETE AND TARGET vxo_ui)
  vxo_area_tests(appwindow vxo_app)
endif()
