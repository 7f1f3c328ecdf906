# The compilers and search roots of Debian's MinGW-w64 for 64-bit Windows
# (the POSIX thread model, for std::thread). Used alone to build Qt for
# Windows, and by mingw-w64-toolchain.cmake for Kamerol itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KAMEROL_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${KAMEROL_MINGW_TRIPLE}-gcc-posix ${KAMEROL_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KAMEROL_MINGW_TRIPLE}-g++-posix ${KAMEROL_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KAMEROL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KAMEROL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
