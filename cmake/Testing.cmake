# GoogleTest in both builds. Natively the system package; for Windows the installed sources
# compiled with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Under Wine the displays and wineservers that tools/wine-run starts outlive each program (the
# next one starts at once); the last test ends them, so that a run of ctest leaves nothing. The
# first one makes the prefix: a Wine set-up takes minutes on a loaded machine, and inside the
# first program's test it would count against that test's time.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME wine_processes_start COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run --prepare ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_processes_start PROPERTIES FIXTURES_SETUP wine_processes TIMEOUT 1200 LABELS wine)
  add_test(NAME wine_processes_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run --stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_processes_stop PROPERTIES FIXTURES_CLEANUP wine_processes LABELS wine)
endif()

# vq_add_test(<name> SOURCES ... [LIBS ...] [NETNS] [TSAN] [TIMEOUT s] [LABELS ...])
# Natively every case is its own CTest test (discovered before the run, never at build time).
# Under Wine one process runs all cases of an executable: each Wine start costs seconds.
# NETNS runs the executable inside a private network namespace that the harness makes, as one
# CTest test.
# TSAN also runs the tests in the ThreadSanitizer tree (label "tsan"). Under Wine every test
# carries its executable's name as a label too.
function(vq_add_test name)
  cmake_parse_arguments(T "NETNS;TSAN" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(VQ_TSAN_ONLY AND NOT T_TSAN)
    return()
  endif()
  list(APPEND T_LABELS ${name})
  if(T_TSAN)
    list(APPEND T_LABELS tsan)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set(prefix)
  if(T_NETNS)
    set(prefix ${PROJECT_SOURCE_DIR}/tools/netns-run)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # A time-out catches a hang, not a slow machine: each Wine start costs seconds, many more
    # on two busy cores.
    if(T_TIMEOUT LESS 300)
      set(T_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND ${prefix} ${PROJECT_SOURCE_DIR}/tools/wine-run $<TARGET_FILE:${name}>
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "wine;${T_LABELS}"
                         FIXTURES_REQUIRED wine_processes)
    if(NOT T_NETNS)
      # Programs on the shared prefix share one desktop and its focus: one at a time. A
      # namespace test has a prefix, a desktop and a display of its own.
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
  elseif(T_NETNS)
    # The namespace gives the host a first address that is not loopback, whatever the machine.
    add_test(NAME ${name} COMMAND ${prefix} $<TARGET_FILE:${name}> WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set(label native)
    if(T_TSAN)
      set(label tsan)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${label};${name}")
  else()
    # The discovery script passes on one label value only.
    set(T_LABELS native)
    if(T_TSAN)
      set(T_LABELS tsan)
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
                         PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  endif()
endfunction()
