# The libraries the Windows build makes from sources: nothing of the Linux
# system's may be linked into a Windows program.
enable_language(C)

# GoogleTest from Debian's sources (package googletest); it names its targets GTest::...
set(VELDMARK_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(BUILD_SHARED_LIBS OFF)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELDMARK_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# SQLite from its amalgamation, made by scripts/make-sqlite-amalgamation; the
# options are those of Debian's libsqlite3 that the providers rely on.
set(VELDMARK_SQLITE_AMALGAMATION_DIR ${PROJECT_SOURCE_DIR}/build/sqlite-amalgamation
    CACHE PATH "Folder holding sqlite3.c and sqlite3.h")
if(NOT EXISTS ${VELDMARK_SQLITE_AMALGAMATION_DIR}/sqlite3.c)
  message(FATAL_ERROR "No sqlite3.c in ${VELDMARK_SQLITE_AMALGAMATION_DIR}: "
                      "run scripts/make-sqlite-amalgamation ${VELDMARK_SQLITE_AMALGAMATION_DIR}")
endif()
add_library(veldmark_sqlite3 STATIC ${VELDMARK_SQLITE_AMALGAMATION_DIR}/sqlite3.c)
target_include_directories(veldmark_sqlite3 SYSTEM PUBLIC ${VELDMARK_SQLITE_AMALGAMATION_DIR})
target_compile_definitions(veldmark_sqlite3 PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_ENABLE_COLUMN_METADATA SQLITE_USE_URI=1 SQLITE_SECURE_DELETE SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(veldmark_sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS veldmark_sqlite3)

# nlohmann-json is header-only; a folder holding only its headers, because
# the system's include folder would bring glibc's headers in.
set(VELDMARK_NLOHMANN_INCLUDE_DIR ${CMAKE_BINARY_DIR}/nlohmann-include)
file(COPY /usr/include/nlohmann DESTINATION ${VELDMARK_NLOHMANN_INCLUDE_DIR})
add_library(veldmark_nlohmann_json INTERFACE)
target_include_directories(veldmark_nlohmann_json SYSTEM INTERFACE ${VELDMARK_NLOHMANN_INCLUDE_DIR})
add_library(nlohmann_json::nlohmann_json ALIAS veldmark_nlohmann_json)
