# Compiler settings shared by every target of the project.

set(WDL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

option(WDL_SANITIZE "Build the native code with AddressSanitizer and UndefinedBehaviorSanitizer" ON)

# Designated initializers leave fields at their defaults on purpose.
set(WDL_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-missing-field-initializers)
if(WDL_TARGET STREQUAL "windows")
  # The program carries no C++ runtime: no exceptions, no RTTI, only what is used.
  set(WDL_PROGRAM_FLAGS -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    list(APPEND WDL_PROGRAM_FLAGS -fno-asynchronous-unwind-tables)
  endif()
  set(WDL_STATIC_LINK -static -Wl,--gc-sections)
else()
  set(WDL_PROGRAM_FLAGS)
  set(WDL_STATIC_LINK)
  if(WDL_SANITIZE)
    set(WDL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${WDL_SANITIZER_FLAGS})
    add_link_options(${WDL_SANITIZER_FLAGS})
  endif()
endif()

function(wdl_defaults target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${WDL_GENERATED_DIR})
  target_compile_options(${target} PRIVATE ${WDL_WARNINGS} ${WDL_PROGRAM_FLAGS})
  if(WDL_TARGET STREQUAL "windows")
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

function(wdl_library name)
  add_library(${name} STATIC ${ARGN})
  wdl_defaults(${name})
endfunction()
