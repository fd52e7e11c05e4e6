# Turns a table of interface texts, written in UTF-8 as NAME = text lines, into a
# header of GBK (code page 936) string literals, one macro per text:
#   #define NAME "\xC9\xFA\x20\xB3\xC9"
# Every byte is written as an escape, so the header means the same bytes to every
# compiler, whatever its execution character set. Lines starting with # are comments.

find_program(WDL_ICONV iconv REQUIRED)

function(wdl_gbk_texts input output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${input}")
  file(STRINGS "${input}" lines ENCODING UTF-8)
  set(body "")
  set(scratch "${CMAKE_CURRENT_BINARY_DIR}/gbk_texts_scratch.txt")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*#" OR line MATCHES "^[ \t]*$")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Z][A-Z0-9_]*) = (.*)$")
      message(FATAL_ERROR "${input}: cannot read the line '${line}' (expected NAME = text)")
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(text "${CMAKE_MATCH_2}")
    file(WRITE "${scratch}" "${text}")
    execute_process(COMMAND "${WDL_ICONV}" -f UTF-8 -t CP936 "${scratch}"
                    OUTPUT_FILE "${scratch}.gbk" RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${input}: ${name} has no GBK form: ${err}")
    endif()
    file(READ "${scratch}.gbk" hex HEX)
    string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
    string(APPEND body "#define ${name} \"${escaped}\"\n")
  endforeach()
  file(REMOVE "${scratch}" "${scratch}.gbk")
  set(content "// Generated from ${input}; edit that file instead.\n#pragma once\n${body}")
  if(EXISTS "${output}")
    file(READ "${output}" old)
  endif()
  if(NOT "${old}" STREQUAL "${content}")
    file(WRITE "${output}" "${content}")
  endif()
endfunction()
