# Fails when a file of src/ includes a header of a layer it may not use: the layers include only
# downward, and the features (requests, staff, board) not one another. Every library exports the
# whole of src/ as its include path, so the compiler alone would let an upward include of a
# header-only type through.
#
#   cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)

# What each folder may include, its own folder aside, from the bottom up.
set(may_platform "")
set(may_platform/widgets platform)
set(may_hospitaldb platform)
set(may_suite platform hospitaldb)
set(may_suite/widgets platform platform/widgets hospitaldb suite)
set(may_session platform hospitaldb suite)
set(feature_layers platform platform/widgets hospitaldb suite suite/widgets session)
set(may_requests ${feature_layers})
set(may_staff ${feature_layers})
set(may_board ${feature_layers})
set(may_app ${feature_layers} requests staff board)
set(layers platform platform/widgets hospitaldb suite suite/widgets session requests staff board
  app)

# The layer of a path under src/: a folder with a widgets part counts it as a layer of its own.
function(layer_of path out)
  if(path MATCHES "^(platform/widgets|suite/widgets)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "CheckLayers: SOURCE_DIR is not a folder: ${SOURCE_DIR}")
endif()
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
if(NOT sources)
  message(FATAL_ERROR "CheckLayers: no sources under ${SOURCE_DIR}")
endif()
set(wrong "")
foreach(source IN LISTS sources)
  layer_of("${source}" from)
  if(from STREQUAL "")
    continue()  # the program's main.cpp stands above every layer
  endif()
  if(NOT from IN_LIST layers)
    list(APPEND wrong "${source}: the folder ${from} has no place among the layers")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
    layer_of("${included}" to)
    if(to STREQUAL "" OR to STREQUAL from OR to IN_LIST may_${from})
      continue()
    endif()
    list(APPEND wrong "${source} includes ${included}: ${from} may not use ${to}")
  endforeach()
endforeach()
if(wrong)
  list(JOIN wrong "\n  " said)
  message(FATAL_ERROR "Includes that run against the layers:\n  ${said}")
endif()
