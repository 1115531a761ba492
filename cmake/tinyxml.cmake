# TinyXML 2.6 from Debian's source package (unpacked by scripts/setup.sh).
set(TINYXML_DIR ${VORN_DEPS_DIR}/tinyxml)
if(NOT EXISTS ${TINYXML_DIR}/tinyxml.cpp)
  message(FATAL_ERROR "TinyXML source missing in ${TINYXML_DIR}: run scripts/setup.sh")
endif()
add_library(tinyxml STATIC
  ${TINYXML_DIR}/tinyxml.cpp ${TINYXML_DIR}/tinystr.cpp
  ${TINYXML_DIR}/tinyxmlerror.cpp ${TINYXML_DIR}/tinyxmlparser.cpp)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_DIR})
target_compile_options(tinyxml PRIVATE -w)

# The same sources without Debian's enforce-use-stl patch, for Zarnel.dll:
# TIXML_USE_STL brings in <iostream> and the stream and locale machinery of
# the static C++ runtime, which more than triples the DLL (about 1.1 MB
# against 0.36 MB). Debian forces it only to keep its shared library's ABI.
set(TINYXML_LEAN_DIR ${CMAKE_BINARY_DIR}/tinyxml-lean)
set(tinyxml_lean_sources "")
foreach(name tinyxml.h tinystr.h tinyxml.cpp tinystr.cpp tinyxmlerror.cpp tinyxmlparser.cpp)
  file(READ ${TINYXML_DIR}/${name} text)
  if(name STREQUAL "tinyxml.h")
    string(REPLACE "#ifndef TIXML_USE_STL\n\t#define TIXML_USE_STL\n#endif\n" "" lean "${text}")
    if(lean STREQUAL text)
      message(FATAL_ERROR "TinyXML: the forced TIXML_USE_STL was not found in tinyxml.h")
    endif()
    set(text "${lean}")
  endif()
  # Rewritten only when changed, so a reconfigure rebuilds nothing.
  set(old "")
  if(EXISTS ${TINYXML_LEAN_DIR}/${name})
    file(READ ${TINYXML_LEAN_DIR}/${name} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${TINYXML_LEAN_DIR}/${name} "${text}")
  endif()
  if(name MATCHES "\\.cpp$")
    list(APPEND tinyxml_lean_sources ${TINYXML_LEAN_DIR}/${name})
  endif()
endforeach()
add_library(tinyxml_lean STATIC ${tinyxml_lean_sources})
target_include_directories(tinyxml_lean SYSTEM PUBLIC ${TINYXML_LEAN_DIR})
target_compile_options(tinyxml_lean PRIVATE -w)
