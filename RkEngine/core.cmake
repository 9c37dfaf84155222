# Sources of the portable core (no SDL, no ImGui).
list(APPEND RK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RkError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkNotice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkNativePath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkBinaryReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkBinaryWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkTextField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkTile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkDialogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkEntity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkPlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkNPC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkWorld.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkNPCList.cpp
)
