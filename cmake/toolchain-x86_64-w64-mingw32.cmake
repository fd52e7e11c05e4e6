# Cross-compiling for Windows with Debian's MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WDL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${WDL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WDL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${WDL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${WDL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests built for Windows run on this Linux machine through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
