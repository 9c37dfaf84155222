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

# The demo exported with RkExportGame --web and played in Debian's chromium,
# headless, from a server on 127.0.0.1: the first picture against the desktop
# game's (FirstPicture), walking, talking, a New Area cell, the end and a fatal
# report. Needs the web build (scripts/web-setup.sh, which scripts/test.sh runs);
# skipped without it.
add_executable(FirstPicture ${CMAKE_CURRENT_LIST_DIR}/web/FirstPicture.cpp)
target_link_libraries(FirstPicture PRIVATE EmberHollowGame)
add_test(NAME game_in_browser
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/web/browser_test.py
          --export $<TARGET_FILE:RkExportGame> --first-picture $<TARGET_FILE:FirstPicture>
          --demo ${PROJECT_SOURCE_DIR}/demo --web-game ${PROJECT_SOURCE_DIR}/build-web/game
          --work ${CMAKE_CURRENT_BINARY_DIR}/game_in_browser)
set_tests_properties(game_in_browser PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE
  ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
