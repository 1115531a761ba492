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
