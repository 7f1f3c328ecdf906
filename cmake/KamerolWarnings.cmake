# Common compile settings for every Kamerol target.
add_library(kamerol_options INTERFACE)
target_include_directories(kamerol_options INTERFACE ${CMAKE_SOURCE_DIR} ${KAMEROL_GENERATED_DIR})

# Warnings, chosen per compiler: the sources are UTF-8 throughout.
if(MSVC)
  target_compile_options(kamerol_options INTERFACE /W4 /permissive- /utf-8 /Zc:__cplusplus)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(kamerol_options INTERFACE -Wall -Wextra -Wpedantic)
endif()

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
