# Recorded runs: the best-run file, recording, re-simulation, the ghost and the folder of best
# runs.
list(APPEND GX_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gx_runfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_runrecorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_runreplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_bestruns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gx_runkeeper.cpp
)
