target_sources(tvxcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Version31Materials.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version31Mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version31SceneRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WriteVersion31.cpp
)
