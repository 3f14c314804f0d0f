# morvik_add_bundle_test(NAME SOURCES a.cpp ... [LIBS ...]): a test executable
# that loads the built bundle (found through tests/host/bundle_location.h).
# Included by every test folder that loads the bundle.
include_guard(GLOBAL)

function(morvik_add_bundle_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  morvik_add_test(${name} SOURCES ${ARG_SOURCES} LIBS morvik_host_testing ${ARG_LIBS} ${CMAKE_DL_LIBS})
  if(TARGET MorvikGate)
    add_dependencies(${name} MorvikGate)
  endif()
endfunction()
