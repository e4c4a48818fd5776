# The project's own compiler flags as interface targets, linked PRIVATE by the targets they
# belong to, so that nothing else built here (GoogleTest from source) inherits them.
#   zanvoro_warnings    the warning set (top level only) and UTF-8 sources for MSVC
#   zanvoro_sanitizers  AddressSanitizer and UBSan when ZANVORO_SANITIZE or ZANVORO_FUZZ is on
#   zanvoro_fuzz_coverage  libFuzzer's coverage on the code it fuzzes (ZANVORO_FUZZ)
# Warnings become errors through CMake's own CMAKE_COMPILE_WARNING_AS_ERROR.

add_library(zanvoro_warnings INTERFACE)
if(MSVC)
  # The sources and their Japanese texts are UTF-8, whatever the Windows code page.
  target_compile_options(zanvoro_warnings INTERFACE /utf-8)
elseif(PROJECT_IS_TOP_LEVEL)
  target_compile_options(zanvoro_warnings INTERFACE -Wall -Wextra -Wconversion -Wshadow -Wpedantic)
endif()

add_library(zanvoro_sanitizers INTERFACE)
if(ZANVORO_SANITIZE OR ZANVORO_FUZZ)
  set(zanvoro_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                              -fno-omit-frame-pointer)
  target_compile_options(zanvoro_sanitizers INTERFACE ${zanvoro_sanitizer_flags})
  target_link_options(zanvoro_sanitizers INTERFACE ${zanvoro_sanitizer_flags})
endif()

add_library(zanvoro_fuzz_coverage INTERFACE)
if(ZANVORO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZANVORO_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  target_compile_options(zanvoro_fuzz_coverage INTERFACE -fsanitize=fuzzer-no-link)
endif()
