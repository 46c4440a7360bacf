target_sources(tvxcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LegacyFaceLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyMaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyMaterials.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyMesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacySceneRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyTextureNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReadLegacyBody.cpp
)
