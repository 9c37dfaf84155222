# The NPC editor panel's tests run on the editor library, without a window.
target_link_libraries(test_npceditor PRIVATE RkEditor)

# End to end under Xvfb: the editor's NPC editor and map editor, then the game.
if(TARGET RkEngine AND TARGET EmberHollow)
  add_test(NAME npceditor_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/end_to_end.sh $<TARGET_FILE:RkEngine> $<TARGET_FILE:EmberHollow>
            ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/npceditor_end_to_end)
  set_tests_properties(npceditor_end_to_end PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
endif()
