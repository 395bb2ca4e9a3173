# Test executables of the Qt areas. The OpenGL tests need an X display:
# `make test` runs ctest under xvfb-run.
vxo_area_tests(document vxo_document)
vxo_area_tests(view vxo_view)
vxo_area_tests(plots vxo_plots)
