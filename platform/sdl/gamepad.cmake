# Game controllers through SDL2 (found with pkg-config), without any SDL window: the SDL side
# of the pad, and the rules that turn a pad's snapshot into game actions.
if(NOT TARGET PkgConfig::SDL2)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
endif()
add_library(gx_gamepad STATIC
  ${CMAKE_CURRENT_LIST_DIR}/gx_padmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_gamepad.cpp
)
target_include_directories(gx_gamepad PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(gx_gamepad PUBLIC PkgConfig::SDL2)
