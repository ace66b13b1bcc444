set(GX_ANIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_transform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_traflist.cpp
)
