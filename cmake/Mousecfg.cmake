# SPDX-License-Identifier: GPL-2.0-or-later
# Shared build helpers.

# mousecfg_add_library(NAME SOURCES... [LIBS ...])
# One static library per source folder; the folder is its public include root's child,
# so code includes "store/configrecord.h", "device/kestsendcommand.h" and so on.
function(mousecfg_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# mousecfg_add_test(NAME SOURCES... LIBS ... [LABELS ...])
# A QtTest executable registered with CTest; runs offscreen so it needs no display.
function(mousecfg_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    MOUSECFG_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    MOUSECFG_APPDIR="${MOUSECFG_APPDIR}"
    MOUSECFG_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  # A runtime folder of its own: the per-device lock files and single-instance sockets live
  # there, so tests running side by side do not wait for one another's simulated mouse.
  set(runtime "${CMAKE_CURRENT_BINARY_DIR}/${name}-runtime")
  file(MAKE_DIRECTORY "${runtime}")
  file(CHMOD "${runtime}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  # The simulated mouse starts blank and keeps no memory, and state and cache folders of its own
  # catches anything else a program under test keeps there: no test sees an earlier run.
  # A first start follows the desktop's language, so the tests name theirs.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=*.debug=false;XDG_RUNTIME_DIR=${runtime};XDG_STATE_HOME=${runtime}/state;XDG_CACHE_HOME=${runtime}/cache;MOUSECFG_SIMULATE_MEMORY=blank;LANGUAGE=en"
    TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# mousecfg_copy_no_overwrite(TARGET SRC DEST)
# Seeds a file into the application folder at build time, but never replaces a
# file that is already there: the user's settings live in the same folder.
function(mousecfg_seed_file target src dest)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DSRC=${src} -DDEST=${dest}
            -P "${PROJECT_SOURCE_DIR}/cmake/SeedFile.cmake"
    VERBATIM)
endfunction()
