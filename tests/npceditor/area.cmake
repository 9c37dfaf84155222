# The NPC editor panel's tests: linked with the editor library.
if(TARGET RkEditor)
  target_link_libraries(test_npceditor PRIVATE RkEditor)
else()
  # Until the editor library exists, the panel's portable helpers are compiled here.
  target_sources(test_npceditor PRIVATE
    ${PROJECT_SOURCE_DIR}/editor/RkNPCEditorEdit.cpp
    ${PROJECT_SOURCE_DIR}/editor/RkNPCEditorEntry.cpp
    ${PROJECT_SOURCE_DIR}/editor/RkNPCEditorList.cpp)
  target_include_directories(test_npceditor PRIVATE ${PROJECT_SOURCE_DIR}/editor)
endif()
