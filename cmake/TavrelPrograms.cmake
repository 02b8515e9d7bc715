# The process entry and the programs. The entry defines main (WinMain on
# Windows) and calls the program's AppMain, so it is a library of its own,
# linked only into programs, never into the test executables.
file(GLOB entry_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/platform/entry/*.cpp
     ${CMAKE_SOURCE_DIR}/platform/${TAVREL_PLATFORM}/entry/*.cpp)
add_library(tavrel_entry STATIC ${entry_sources})
target_link_libraries(tavrel_entry PUBLIC tavrel_core)
target_compile_options(tavrel_entry PRIVATE ${TAVREL_WARNINGS})
if(WIN32)
  # The runtime's start-up code that calls WinMain comes after the program's
  # libraries on the link line: have the linker take WinMain from this one.
  target_link_options(tavrel_entry INTERFACE -Wl,--undefined=WinMain)
endif()

# tavrel_add_program(NAME sources...): a GUI program on Windows (no console
# of its own), an ordinary one elsewhere.
function(tavrel_add_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE tavrel_entry tavrel_core)
  target_compile_options(${name} PRIVATE ${TAVREL_WARNINGS})
endfunction()

# The terminal demonstration program.
tavrel_add_program(termdemo ${CMAKE_SOURCE_DIR}/demo/TermDemo.cpp)

# The window checks: the demonstration program in a real window under Xvfb,
# natively and, for the Windows build, under wine.
if(TAVREL_TESTS)
  find_program(TAVREL_PYTHON3 python3)
  find_program(TAVREL_XVFB Xvfb)
  if(TAVREL_PYTHON3 AND TAVREL_XVFB)
    set(check ${CMAKE_SOURCE_DIR}/tests/window_check/check_window.py)
    # A fixed display per kind of build, so that builds can check side by side.
    set(display 92)
    if(TAVREL_SANITIZE)
      set(display 94)
    elseif(TAVREL_TSAN)
      set(display 96)
    endif()
    if(CMAKE_CROSSCOMPILING)
      add_test(NAME window_check COMMAND ${TAVREL_PYTHON3} ${check}
               --program $<TARGET_FILE:termdemo> --wine --display 93
               --work ${CMAKE_BINARY_DIR}/window_check)
      set_tests_properties(window_check PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all")
    else()
      add_test(NAME window_check COMMAND ${TAVREL_PYTHON3} ${check}
               --program $<TARGET_FILE:termdemo> --display ${display}
               --work ${CMAKE_BINARY_DIR}/window_check)
      set_tests_properties(window_check PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
    endif()
  endif()
endif()
