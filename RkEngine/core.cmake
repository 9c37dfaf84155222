# Sources of the portable core (no SDL, no ImGui).
list(APPEND RK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RkError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkNotice.cpp
)
