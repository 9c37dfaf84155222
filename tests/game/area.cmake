# The game's suites link the game library and the demo maker; the end-to-end
# run plays the built game under Xvfb in a copy of the demo folder.
target_link_libraries(test_game PRIVATE EmberHollowGame EmberHollowDemo)
target_include_directories(test_game PRIVATE ${CMAKE_CURRENT_LIST_DIR})

add_test(NAME game_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/end_to_end.sh $<TARGET_FILE:EmberHollow>
          ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/game_end_to_end)
set_tests_properties(game_end_to_end PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# The demo exported with RkExportGame and played from the exported folder.
add_test(NAME export_end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/export_end_to_end.sh $<TARGET_FILE:RkExportGame> $<TARGET_FILE:EmberHollow>
          ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/export_end_to_end ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
set_tests_properties(export_end_to_end PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
