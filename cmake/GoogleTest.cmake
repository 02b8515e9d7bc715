# GoogleTest from Debian's source package, built with the project's own
# compiler so that the same tests run natively and, cross-compiled, under wine.
set(TAVREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${TAVREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# tavrel_add_test(NAME sources...): one test executable. Natively every test
# case becomes a CTest test; under wine the executable is one CTest test, since
# starting wine once per case would cost more than the cases themselves.
function(tavrel_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tavrel_core GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${TAVREL_WARNINGS})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900
      ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
  endif()
endfunction()
