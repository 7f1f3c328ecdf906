# Cross-building Kamerol for 64-bit Windows with Debian's MinGW-w64 and
# running what is built under Wine:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-toolchain.cmake
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# The C++ runtime, libgcc and winpthreads linked in: each program runs from
# where it is built without MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The libraries cross-built for Windows by the project's own scripts (scripts/windows-xlsxwriter) are in
# the folders of CMAKE_PREFIX_PATH: searched as MinGW-w64's own folder is, not under it.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})

# ctest runs the programs under Wine, quietly and with no display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
