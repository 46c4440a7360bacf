target_sources(tvxcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Version9Maps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version9Materials.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version9Mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version9Skeleton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WriteVersion9.cpp
)
