target_sources(tvxcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/WriteVersion9.cpp)
