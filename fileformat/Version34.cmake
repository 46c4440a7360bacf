target_sources(tvxcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ReadVersion34.cpp)
