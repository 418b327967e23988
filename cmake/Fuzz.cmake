# SPDX-License-Identifier: GPL-2.0-or-later
# MOUSECFG_FUZZ=ON: clang with libFuzzer. Every library is built for fuzzing and with
# AddressSanitizer and UndefinedBehaviorSanitizer; the targets in fuzz/ link the fuzzer.
option(MOUSECFG_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)
if(MOUSECFG_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "MOUSECFG_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
