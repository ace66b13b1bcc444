list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_ball.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_bullet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_rocket.cpp
)
