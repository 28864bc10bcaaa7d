# How a subsystem folder declares its library and its tests.

# moji_library(NAME [DEPENDENCY...] [EXCLUDE FILE...]): the static library moji_NAME from the
# folder's sources (all but the EXCLUDEd ones), seeing src/ as its include root.
function(moji_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "EXCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded IN LISTS arg_EXCLUDE)
    get_filename_component(stem ${excluded} NAME_WE)
    list(FILTER sources EXCLUDE REGEX "/${stem}\\.(cpp|h)$")
  endforeach()
  add_library(moji_${name} STATIC ${sources})
  target_include_directories(moji_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(moji_${name} PUBLIC ${arg_UNPARSED_ARGUMENTS})
endfunction()

# moji_tests(NAME LIBRARY... [QT_TEST] [FONT_SET SET]): the tests of one folder.
# GoogleTest: one binary NAME_tests from the folder's *_test.cpp, each test its own CTest test.
# QT_TEST: one Qt Test binary per *_test.cpp (real widgets on the offscreen platform).
# Every test runs on a private fontconfig set built at test time (moji_font_set), SET or the
# standard one, so it passes whatever fonts the machine has installed; tests find its font files
# in the folder "fonts" beside its FONTCONFIG_FILE (tests/test_fonts.h).
function(moji_tests name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "QT_TEST" "FONT_SET" "")
  if(NOT arg_FONT_SET)
    set(arg_FONT_SET standard)
  endif()
  set(fixture font_set_${arg_FONT_SET})
  set(fontconfig FONTCONFIG_FILE=${PROJECT_BINARY_DIR}/font-sets/${arg_FONT_SET}/fonts.conf)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(arg_QT_TEST)
    foreach(source IN LISTS sources)
      get_filename_component(test ${source} NAME_WE)
      add_executable(${test} ${source})
      set_target_properties(${test} PROPERTIES AUTOMOC ON)
      target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
      target_link_libraries(${test} PRIVATE ${arg_UNPARSED_ARGUMENTS} Qt6::Test)
      add_test(NAME ${test} COMMAND ${test})
      set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${fixture}
                           ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${fontconfig}")
    endforeach()
  else()
    add_executable(${name}_tests ${sources})
    target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_tests PRIVATE ${arg_UNPARSED_ARGUMENTS} GTest::gtest_main)
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                         PROPERTIES FIXTURES_REQUIRED ${fixture} ENVIRONMENT ${fontconfig})
  endif()
endfunction()

# moji_font_set(SET [SCRIPT ARGUMENT...]): the test fixture that builds the private fontconfig
# set SET (its fonts, fonts.conf and cache) under font-sets/ of the build tree, by
# tests/fonts/make_font_set.py or the given script.
function(moji_font_set set)
  set(command ${ARGN})
  if(NOT command)
    set(command ${PROJECT_SOURCE_DIR}/tests/fonts/make_font_set.py ${set})
  endif()
  add_test(NAME font_set_${set}
           COMMAND ${Python3_EXECUTABLE} ${command} ${PROJECT_BINARY_DIR}/font-sets/${set})
  set_tests_properties(font_set_${set} PROPERTIES FIXTURES_SETUP font_set_${set})
endfunction()
