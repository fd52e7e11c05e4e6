# The executables: the shipped program and its test variants, with the version
# block and the icon, which a small host tool of the project draws at build time.

find_program(WDL_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(WDL_ICON ${CMAKE_BINARY_DIR}/generated/default_icon.ico)
set(WDL_ICON_TOOL ${CMAKE_BINARY_DIR}/make_icon)
add_custom_command(OUTPUT ${WDL_ICON}
  COMMAND ${WDL_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -o ${WDL_ICON_TOOL} ${CMAKE_SOURCE_DIR}/app/icon/make_icon.cpp
  COMMAND ${WDL_ICON_TOOL} ${WDL_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/app/icon/make_icon.cpp
  COMMENT "Drawing the program's icon")
add_custom_target(program_icon DEPENDS ${WDL_ICON})

# One executable: the process entry, a variant, the resources, the libraries.
function(wdl_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/app/entry_win.cpp ${CMAKE_SOURCE_DIR}/app/resources.rc ${ARG_SOURCES})
  wdl_defaults(${name})
  add_dependencies(${name} program_icon)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/app/resources.rc PROPERTIES OBJECT_DEPENDS ${WDL_ICON})
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PRIVATE wdl_app ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE ${WDL_STATIC_LINK} -s)
endfunction()

wdl_program(weiyun-direct-link
  SOURCES ${CMAKE_SOURCE_DIR}/app/program_variant.cpp
  LIBRARIES wdl_definitions wdl_portable wdl_memory wdl_platform)

# Test variants, never shipped: one whose stored definition block is corrupt,
# one with test hooks (log file, failing allocations, a probe for live texts).
wdl_program(weiyun-direct-link-corrupt
  SOURCES ${CMAKE_SOURCE_DIR}/app/program_variant.cpp
  LIBRARIES wdl_definitions_corrupt wdl_portable wdl_memory wdl_platform)
wdl_program(weiyun-direct-link-testhooks
  SOURCES ${CMAKE_SOURCE_DIR}/app/program_variant_testhooks_win.cpp
  LIBRARIES wdl_definitions wdl_portable wdl_memory_hooks wdl_platform)
# A minimal Win32 window program with the same flags: the start-up baseline.
add_executable(minimal-window WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window_win.cpp)
wdl_defaults(minimal-window)
target_link_libraries(minimal-window PRIVATE user32 gdi32)
target_link_options(minimal-window PRIVATE ${WDL_STATIC_LINK} -s)

# Start-up and click latency of the program under Wine (scripts/bench).
add_executable(wine_bench ${CMAKE_SOURCE_DIR}/bench/wine_bench_win.cpp)
wdl_defaults(wine_bench)
target_link_libraries(wine_bench PRIVATE user32)
target_link_options(wine_bench PRIVATE ${WDL_STATIC_LINK})
add_dependencies(wine_bench weiyun-direct-link minimal-window)
