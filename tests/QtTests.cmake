# Test executables of the Qt areas. The OpenGL tests need an X display:
# `make test` runs ctest under xvfb-run.
vxo_area_tests(document vxo_document)
vxo_area_tests(view vxo_view)
vxo_area_tests(plots vxo_plots)
vxo_area_tests(ui vxo_ui)
if(TARGET ui_tests)
  # The form tests use the view suite's application and message capture.
  target_sources(ui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/view/ViewTestSupport.cpp)
  # The Dynamics pages are checked against the document reader of their records.
  target_link_libraries(ui_tests PRIVATE vxo_document)
  # The committed form is exactly what its generator writes.
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_FOUND)
    add_test(NAME ui_form_is_generated COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/ui/form/generate.py --check)
    set_tests_properties(ui_form_is_generated PROPERTIES LABELS ui)
  endif()
endif()
