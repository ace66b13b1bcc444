list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_mazegame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_mazelist.cpp
)
# The product version that GetVersionString reports for the program's own file.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/gx_mazelist.cpp PROPERTIES
  COMPILE_DEFINITIONS "GRAVONAUT_PRODUCT_VERSION=\"${GRAVONAUT_PRODUCT_VERSION}\"")
