# One static library per subsystem folder, and one GoogleTest binary per tests folder.

# moji_subsystem_library(NAME DEPENDENCIES...): library moji_NAME from the folder's *.cpp.
function(moji_subsystem_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(moji_${name} STATIC ${sources})
  target_include_directories(moji_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(moji_${name} PUBLIC ${ARGN})
endfunction()

# moji_subsystem_tests(NAME LIBRARIES...): test binary NAME_tests from the folder's *_test.cpp.
function(moji_subsystem_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest_main)
  gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60)
endfunction()
