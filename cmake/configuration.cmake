# The two configuration values of the program, checked before anything is built.
set(SHARE_HOST "share.weiyun.com" CACHE STRING
    "Host name that every share link contains (16 characters)")
set(RELAY_HOST "relay.example.com" CACHE STRING
    "Host name of the relay service; the placeholder must be replaced for real use")

foreach(var SHARE_HOST RELAY_HOST)
  if(NOT "${${var}}" MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:[0-9]+)?$")
    message(FATAL_ERROR "${var} '${${var}}' is not a host name (letters, digits, '.' and '-', optionally ':port')")
  endif()
endforeach()

string(LENGTH "${SHARE_HOST}" share_host_length)
if(share_host_length LESS 9)
  message(FATAL_ERROR
    "SHARE_HOST '${SHARE_HOST}' has ${share_host_length} characters; at least 9 are needed: "
    "the share key is cut at the first '/' from byte 10 on, so a shorter host would put the "
    "host's own '/' before byte 10 in a link without a scheme")
elseif(NOT share_host_length EQUAL 16)
  message(WARNING
    "SHARE_HOST '${SHARE_HOST}' has ${share_host_length} characters, not 16: the slash scan "
    "start of byte 10 was chosen for a 16-character host")
endif()
if(RELAY_HOST STREQUAL "relay.example.com")
  message(STATUS "RELAY_HOST is the placeholder relay.example.com; set -DRELAY_HOST=<host> for real use")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/build_config.h.in
               ${CMAKE_BINARY_DIR}/generated/build_config.h @ONLY)
