# The editor's suites drive its panels and canvas on plain state, without a
# window. The end-to-end run makes a map in the real editor under Xvfb and opens
# it with the game (when the game program is built).
target_link_libraries(test_editor PRIVATE RkEditor)
target_include_directories(test_editor PRIVATE ${CMAKE_CURRENT_LIST_DIR})

set(rk_editor_e2e_game "")
if(TARGET EmberHollow)
  set(rk_editor_e2e_game $<TARGET_FILE:EmberHollow>)
endif()
add_test(NAME editor_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/end_to_end.sh $<TARGET_FILE:RkEngine> "${rk_editor_e2e_game}"
          ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/editor_end_to_end)
set_tests_properties(editor_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# Undo and redo of a stroke in the real editor, compared on screenshots.
add_test(NAME editor_undo_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/undo_end_to_end.sh $<TARGET_FILE:RkEngine> ${PROJECT_SOURCE_DIR}/demo
          ${CMAKE_CURRENT_BINARY_DIR}/editor_undo_end_to_end)
set_tests_properties(editor_undo_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# Notices, the unsaved mark and the questions before the editor ends, in the real editor.
add_test(NAME editor_safety_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/safety_end_to_end.sh $<TARGET_FILE:RkEngine> ${PROJECT_SOURCE_DIR}/demo
          ${CMAKE_CURRENT_BINARY_DIR}/editor_safety_end_to_end)
set_tests_properties(editor_safety_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# A house grown to the left in the editor, the village's link moved on saving,
# and the game still bringing the player in through the door.
if(TARGET EmberHollow)
add_test(NAME editor_links_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/links_end_to_end.sh $<TARGET_FILE:RkEngine> $<TARGET_FILE:EmberHollow>
          ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/editor_links_end_to_end)
set_tests_properties(editor_links_end_to_end PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
endif()

# F5 in the real editor: the game on the unsaved map, the player where the
# pointer was; the map's file untouched. Needs the game built beside the editor.
if(TARGET EmberHollow)
add_test(NAME editor_playtest_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/playtest_end_to_end.sh $<TARGET_FILE:RkEngine> ${PROJECT_SOURCE_DIR}/demo
          ${CMAKE_CURRENT_BINARY_DIR}/editor_playtest_end_to_end)
set_tests_properties(editor_playtest_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
endif()

# A minute of seeded random input on the editor (scripts/soak.sh), with a fresh
# seed each run; the seed is printed, so that a failure can be replayed.
if(TARGET RkCheckMaps)
add_test(NAME editor_soak
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/soak.sh 60)
set_tests_properties(editor_soak PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE
  ENVIRONMENT "RK_EDITOR=$<TARGET_FILE:RkEngine>;RK_CHECK_MAPS=$<TARGET_FILE:RkCheckMaps>;RK_SOAK_WORK=${CMAKE_CURRENT_BINARY_DIR}/editor_soak")
endif()

# The canvas tools in the real editor: rectangle, brush, fill, pick, select,
# copy and paste, and the saved map checked byte by byte.
add_test(NAME editor_tools_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tools_end_to_end.sh $<TARGET_FILE:RkEngine> ${PROJECT_SOURCE_DIR}/demo
          ${CMAKE_CURRENT_BINARY_DIR}/editor_tools_end_to_end)
set_tests_properties(editor_tools_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
