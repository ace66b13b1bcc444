list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_side.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_drawlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_polygon.cpp
)
