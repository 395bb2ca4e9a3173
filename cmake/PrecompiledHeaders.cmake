# Precompiled headers: the standard, Qt and GoogleTest headers that most
# sources include are parsed once per set of headers instead of once per
# source. Off by default so that a build without them still finds a source
# that forgets an include; `make` turns them on (see the Makefile).
option(VXO_PRECOMPILED_HEADERS "Precompile the common system headers of each target" OFF)

set(VXO_PCH_STANDARD <algorithm> <array> <cmath> <complex> <cstddef> <cstdint> <functional>
    <limits> <memory> <stdexcept> <string> <utility> <vector>)
set(VXO_PCH_QT_CORE <QJsonArray> <QJsonDocument> <QJsonObject> <QJsonValue> <QString> <QStringList>)
set(VXO_PCH_QT_WIDGETS <QApplication> <QCheckBox> <QComboBox> <QDoubleSpinBox> <QImage> <QLabel>
    <QPainter> <QSpinBox> <QStackedWidget> <QTabWidget> <QWidget>)

# vxo_precompile(target [QT_CORE] [QT_WIDGETS] [GTEST])
function(vxo_precompile target)
  if(NOT VXO_PRECOMPILED_HEADERS OR NOT TARGET ${target})
    return()
  endif()
  cmake_parse_arguments(_pch "QT_CORE;QT_WIDGETS;GTEST" "" "" ${ARGN})
  set(_headers ${VXO_PCH_STANDARD})
  if(_pch_QT_CORE OR _pch_QT_WIDGETS)
    list(APPEND _headers ${VXO_PCH_QT_CORE})
  endif()
  if(_pch_QT_WIDGETS)
    list(APPEND _headers ${VXO_PCH_QT_WIDGETS})
  endif()
  if(_pch_GTEST)
    list(APPEND _headers <gtest/gtest.h>)
  endif()
  # Targets with the same headers share one precompiled header, made by the
  # first of them: the libraries and the test executables are each compiled
  # with one set of options, and making the header costs as much as a few
  # sources.
  string(MD5 _set "${_headers}")
  get_property(_owner GLOBAL PROPERTY VXO_PCH_${_set})
  if(_owner)
    target_precompile_headers(${target} REUSE_FROM ${_owner})
  else()
    target_precompile_headers(${target} PRIVATE ${_headers})
    set_property(GLOBAL PROPERTY VXO_PCH_${_set} ${target})
  endif()
endfunction()
