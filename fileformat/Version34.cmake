target_sources(tvxcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ReadVersion34.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34Allocation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34Animations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34EmbeddedFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34Materials.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34Mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34SceneSections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34TextureLinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version34Walk.cpp
)
