# Common compile settings for every Kamerol target.
add_library(kamerol_options INTERFACE)
target_compile_options(kamerol_options INTERFACE -Wall -Wextra -Wpedantic)
target_include_directories(kamerol_options INTERFACE ${CMAKE_SOURCE_DIR})

if(KAMEROL_SANITIZE)
  target_compile_options(kamerol_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kamerol_options INTERFACE -fsanitize=address,undefined)
endif()

# Fuzzing builds instrument every library for coverage, not only the target.
if(KAMEROL_BUILD_FUZZERS)
  target_compile_options(kamerol_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(kamerol_options INTERFACE -fsanitize=address,undefined)
endif()
