# Small helpers shared by the layer CMakeLists.

# barvell_sources(<var> <dir>...): the .cpp files of the given folders (not recursive).
function(barvell_sources var)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.c")
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# barvell_test(<name> SOURCES <dir or files>... LIBS <targets>...): one GoogleTest binary,
# its tests registered with CTest.
function(barvell_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  set(files)
  foreach(s IN LISTS T_SOURCES)
    if(IS_DIRECTORY "${s}")
      file(GLOB found CONFIGURE_DEPENDS "${s}/*.cpp")
      list(APPEND files ${found})
    elseif(EXISTS "${s}")
      list(APPEND files ${s})
    endif()
  endforeach()
  if(NOT files)
    return()
  endif()
  add_executable(${name} ${files})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# barvell_library(<name> <dir>...): a static library of the folders' sources, or an
# interface library while a folder has none yet. Include root: the project root.
function(barvell_library name)
  barvell_sources(files ${ARGN})
  if(files)
    add_library(${name} STATIC ${files})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()

# barvell_link(<name> <targets>...): link whether <name> is static or interface.
function(barvell_link name)
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()
