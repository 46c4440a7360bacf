target_sources(tvxcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/WriteVersion31.cpp)
