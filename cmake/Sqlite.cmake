# SQLite for the call-record database, as the target `station_db_sqlite3`.
# Natively Debian's libsqlite3. The Windows build compiles the amalgamation that the pinned npm
# package ships; it is fetched once at configure time into the build tree (never into the
# sources) and reused from there by later configure runs.
if(TARGET station_db_sqlite3)
  return()
endif()

if(NOT CMAKE_CROSSCOMPILING)
  find_package(SQLite3 REQUIRED)
  add_library(station_db_sqlite3 INTERFACE)
  target_link_libraries(station_db_sqlite3 INTERFACE SQLite::SQLite3)
  return()
endif()

set(STATION_DB_SQLITE_PACKAGE "better-sqlite3@12.11.1")
set(sqlite_cache "${CMAKE_BINARY_DIR}/_deps/sqlite3-amalgamation")
set(sqlite_source "${sqlite_cache}/package/deps/sqlite3/sqlite3.c")

if(NOT EXISTS "${sqlite_source}")
  find_program(NPM_EXECUTABLE npm REQUIRED)
  file(REMOVE_RECURSE "${sqlite_cache}")
  file(MAKE_DIRECTORY "${sqlite_cache}")
  execute_process(
    COMMAND "${NPM_EXECUTABLE}" pack "${STATION_DB_SQLITE_PACKAGE}" --silent
    WORKING_DIRECTORY "${sqlite_cache}"
    RESULT_VARIABLE npm_result
    OUTPUT_VARIABLE npm_tarball
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT npm_result EQUAL 0 OR npm_tarball STREQUAL "")
    message(FATAL_ERROR "npm pack ${STATION_DB_SQLITE_PACKAGE} failed (${npm_result})")
  endif()
  # npm prints the tarball's name as its last line.
  string(REGEX REPLACE ".*\n" "" npm_tarball "${npm_tarball}")
  file(ARCHIVE_EXTRACT INPUT "${sqlite_cache}/${npm_tarball}" DESTINATION "${sqlite_cache}"
       PATTERNS "package/deps/sqlite3/*")
  if(NOT EXISTS "${sqlite_source}")
    message(FATAL_ERROR "${npm_tarball} holds no deps/sqlite3/sqlite3.c")
  endif()
endif()

add_library(station_db_sqlite3 STATIC "${sqlite_source}")
target_include_directories(station_db_sqlite3 SYSTEM PUBLIC "${sqlite_cache}/package/deps/sqlite3")
target_compile_definitions(station_db_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
# The amalgamation is third-party code: its warnings are not ours to fix.
target_compile_options(station_db_sqlite3 PRIVATE -w)
