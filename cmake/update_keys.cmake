# The publisher's public keys the updater trusts, read from a key file at
# configure time (one key a line: base64 of the 64 bytes X then Y of a P-256
# point; "#" starts a comment) into a source the updater includes.
set(VORN_DEMO_UPDATE_KEYS ${PROJECT_SOURCE_DIR}/tools/demo/keys/demo-update-keys.txt)
set(VORN_UPDATE_KEYS ${VORN_DEMO_UPDATE_KEYS} CACHE FILEPATH
    "Key file of the publisher keys the updater trusts (the default is the demo key)")

# The key lines of a key file, each checked for its form: 86 base64
# characters, the last one's two unused bits zero, and "==".
function(vorn_read_update_keys file out)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "VORN_UPDATE_KEYS: ${file} does not exist")
  endif()
  file(READ "${file}" text)
  # Comments go first: they may hold anything, and ";" would split a list.
  string(REGEX REPLACE "#[^\n]*" "" text "${text}")
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(keys "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    string(LENGTH "${line}" length)
    if(NOT line MATCHES "^[A-Za-z0-9+/]+[AQgw]==$" OR NOT length EQUAL 88)
      message(FATAL_ERROR "VORN_UPDATE_KEYS: not a public key line in ${file}: ${line}")
    endif()
    list(APPEND keys "${line}")
  endforeach()
  set(${out} "${keys}" PARENT_SCOPE)
endfunction()

# Writes the C++ array of key lines into header (only when it changes).
function(vorn_update_keys_source header)
  vorn_read_update_keys("${VORN_UPDATE_KEYS}" keys)
  if(NOT keys)
    message(FATAL_ERROR "VORN_UPDATE_KEYS: no key in ${VORN_UPDATE_KEYS}: the updater could install nothing")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${VORN_UPDATE_KEYS}")
  vorn_read_update_keys("${VORN_DEMO_UPDATE_KEYS}" demo)
  set(trusts_demo FALSE)
  foreach(key IN LISTS keys)
    if(key IN_LIST demo)
      set(trusts_demo TRUE)
    endif()
  endforeach()
  if(trusts_demo AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    message(WARNING "The updater of this 32-bit (shipped) build trusts the demo key, whose private "
                    "half is public in the repository: anyone can sign an update it installs. "
                    "Configure the publisher's key file with -DVORN_UPDATE_KEYS=<file>.")
  endif()
  set(text "// Generated from ${VORN_UPDATE_KEYS} by cmake/update_keys.cmake.\nconstexpr const char* kUpdateKeyLines[] = {\n")
  foreach(key IN LISTS keys)
    string(APPEND text "    \"${key}\",\n")
  endforeach()
  string(APPEND text "};\n")
  file(CONFIGURE OUTPUT "${header}" CONTENT "${text}")
endfunction()
