# The core library: runtime, libraries, terminal and the platform layer of
# this build. Folders are globbed so that a new module is just a new file.
set(TAVREL_SOURCE_DIRS ZemriSub libGeneric terminal)

set(TAVREL_CORE_SOURCES)
foreach(dir IN LISTS TAVREL_SOURCE_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND TAVREL_CORE_SOURCES ${dir_sources})
endforeach()
file(GLOB platform_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/platform/${TAVREL_PLATFORM}/*.cpp)
list(APPEND TAVREL_CORE_SOURCES ${platform_sources})

add_library(tavrel_core STATIC ${TAVREL_CORE_SOURCES})
target_include_directories(tavrel_core PUBLIC
  ${CMAKE_SOURCE_DIR}
  ${CMAKE_SOURCE_DIR}/platform/include)
target_compile_options(tavrel_core PRIVATE ${TAVREL_WARNINGS})
if(WIN32)
  target_link_libraries(tavrel_core PUBLIC kernel32 user32 gdi32 advapi32)
else()
  find_package(Threads REQUIRED)
  target_link_libraries(tavrel_core PUBLIC Threads::Threads)
  # The terminal window: SDL2 with SDL2_ttf, the font found through fontconfig.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TAVREL_WINDOW REQUIRED IMPORTED_TARGET sdl2 SDL2_ttf fontconfig)
  target_link_libraries(tavrel_core PUBLIC PkgConfig::TAVREL_WINDOW)
endif()
