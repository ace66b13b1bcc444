list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_transform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_traflist.cpp
)
