list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_transform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_rotate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_trans.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_force.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_traflist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_drawlist_traf.cpp
)
