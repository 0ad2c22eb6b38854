# dapple_library(NAME FOLDER [DEPENDENCIES...])
# Builds every source file of FOLDER (and of its sub-folders) into one static
# library. Files ending in _win32.cpp are Windows-only and files ending in
# _posix.cpp are for every other system: the build picks one of each pair.
set(DAPPLE_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations)

function(dapple_sources OUT FOLDER)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${FOLDER}/*.cpp ${PROJECT_SOURCE_DIR}/${FOLDER}/*.c)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${OUT} ${sources} PARENT_SCOPE)
endfunction()

# dapple_library_of(NAME SOURCES [DEPENDENCIES...]): the same for a list of
# sources; an empty list makes an interface library of the dependencies.
function(dapple_library_of NAME SOURCES)
  if(SOURCES)
    add_library(${NAME} STATIC ${SOURCES})
    set(scope PUBLIC)
  else()
    add_library(${NAME} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${NAME} ${scope} ${PROJECT_SOURCE_DIR})
  if(SOURCES)
    target_compile_options(${NAME} PRIVATE ${DAPPLE_WARNINGS})
  endif()
  if(ARGN)
    target_link_libraries(${NAME} ${scope} ${ARGN})
  endif()
endfunction()

function(dapple_library NAME FOLDER)
  dapple_sources(sources ${FOLDER})
  dapple_library_of(${NAME} "${sources}" ${ARGN})
  # A headers-only library owns its folder too (the layering check).
  set_target_properties(${NAME} PROPERTIES DAPPLE_FOLDER ${FOLDER})
endfunction()

# A folder whose portable half and Windows half are separate libraries,
# because the Windows half builds on libraries that build on the portable
# one: dapple_portable_library takes every file but the _win32.cpp ones,
# dapple_windows_library only those.
function(dapple_portable_library NAME FOLDER)
  dapple_sources(sources ${FOLDER})
  list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  dapple_library_of(${NAME} "${sources}" ${ARGN})
endfunction()

function(dapple_windows_library NAME FOLDER)
  dapple_sources(sources ${FOLDER})
  list(FILTER sources INCLUDE REGEX "_win32\\.cpp$")
  dapple_library_of(${NAME} "${sources}" ${ARGN})
endfunction()

# dapple_test(NAME FOLDER LIBRARIES...): one GoogleTest executable per test
# folder, registered with CTest.
function(dapple_test NAME FOLDER)
  dapple_sources(sources tests/${FOLDER})
  if(NOT sources)
    return()
  endif()
  add_executable(${NAME} ${sources})
  target_compile_options(${NAME} PRIVATE ${DAPPLE_WARNINGS})
  target_include_directories(${NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${NAME} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  add_test(NAME ${NAME} COMMAND ${NAME} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/tests)
endfunction()
