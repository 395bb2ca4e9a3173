# The explicit source lists of cmake/Sources.cmake, checked against the
# folders: a build that silently drops a missing or forgotten source would
# link a program or a suite without it, or not at all.
include(${CMAKE_CURRENT_LIST_DIR}/Sources.cmake)

# vxo_listed_sources(<out> <folder> <list>): the absolute paths of the files
# that the list names in the folder. A missing file or an empty list stops the
# configuration with the names to mend.
function(vxo_listed_sources out folder list)
  if(NOT ${list})
    message(FATAL_ERROR "The source list ${list} of ${folder}/ in cmake/Sources.cmake is empty or not defined.")
  endif()
  set(_paths)
  set(_missing)
  foreach(_file IN LISTS ${list})
    set(_path ${PROJECT_SOURCE_DIR}/${folder}/${_file})
    if(NOT EXISTS ${_path})
      list(APPEND _missing ${folder}/${_file})
    endif()
    list(APPEND _paths ${_path})
  endforeach()
  if(_missing)
    list(JOIN _missing "\n  " _names)
    message(FATAL_ERROR "Sources listed in ${list} (cmake/Sources.cmake) do not exist:\n  ${_names}")
  endif()
  set_property(GLOBAL APPEND PROPERTY VXO_LISTED_SOURCES ${_paths})
  set(${out} ${_paths} PARENT_SCOPE)
endfunction()

# vxo_check_unlisted_sources(<folder>...): stops the configuration when a
# source in one of the folders, or below it, is named by no list. The glob is
# looked at again by every build, so a source added later stops that build.
function(vxo_check_unlisted_sources)
  get_property(_listed GLOBAL PROPERTY VXO_LISTED_SOURCES)
  set(_unlisted)
  foreach(_folder IN LISTS ARGN)
    file(GLOB_RECURSE _found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${_folder}/*.cpp)
    foreach(_file IN LISTS _found)
      if(NOT _file IN_LIST _listed)
        file(RELATIVE_PATH _name ${PROJECT_SOURCE_DIR} ${_file})
        list(APPEND _unlisted ${_name})
      endif()
    endforeach()
  endforeach()
  if(_unlisted)
    list(JOIN _unlisted "\n  " _names)
    message(FATAL_ERROR "Sources that no list in cmake/Sources.cmake names, so nothing would build them:\n  ${_names}")
  endif()
endfunction()
