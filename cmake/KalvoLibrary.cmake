# One library per source folder. Sources are picked up by glob so that a
# folder can grow without touching its neighbours' build files.
#   kalvo_library(<target> [WHOLE_ARCHIVE] DEPS <libs...>)
# WHOLE_ARCHIVE: every program that links the library takes all of its
# object files, also those that nothing refers to. The plot libraries need
# it: each plot-object kind registers itself from a file of its own, at
# start-up, and a plain static link would leave such a file out.
function(kalvo_library target)
  cmake_parse_arguments(ARG "WHOLE_ARCHIVE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(cpp_sources AND ARG_WHOLE_ARCHIVE)
    # Consumers link the interface target only, so that every link of the
    # archive carries the same feature.
    add_library(${target}_archive STATIC ${sources})
    target_include_directories(${target}_archive PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
    target_link_libraries(${target}_archive PUBLIC ${ARG_DEPS})
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}_archive>")
    return()
  elseif(cpp_sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${target} ${scope} ${ARG_DEPS})
endfunction()

# One test executable per test source file (so that a file in progress never
# stops its neighbours from building), registered with CTest. Files named
# *Support.cpp hold shared test helpers and are linked into every executable.
#   kalvo_test(<prefix> LABEL <unit|gui|e2e> DEPS <libs...>)
function(kalvo_test prefix)
  cmake_parse_arguments(ARG "" "LABEL" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(support ${sources})
  list(FILTER support INCLUDE REGEX "Support\\.cpp$")
  list(FILTER sources EXCLUDE REGEX "Support\\.cpp$")
  if(support)
    # Built once for the folder, linked into each of its executables.
    add_library(${prefix}_support STATIC ${support})
    target_include_directories(${prefix}_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${prefix}_support PUBLIC ${ARG_DEPS} GTest::gtest GTest::gmock)
    set(support_lib ${prefix}_support)
  endif()
  foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    set(target ${prefix}_${name})
    add_executable(${target} ${source})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE ${support_lib} ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${target}
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endforeach()
endfunction()
