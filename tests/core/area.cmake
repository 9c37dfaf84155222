# The loaders' fuzz target replayed over the seed corpus that the project keeps,
# built with the normal compiler (scripts/fuzz.sh runs the real fuzzer).
add_executable(fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/RkLoaderFuzzer.cpp ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
target_link_libraries(fuzz_replay PRIVATE RkCore)
add_test(NAME FuzzCorpusReplay COMMAND fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus)
set_tests_properties(FuzzCorpusReplay PROPERTIES TIMEOUT 120)
add_executable(fuzz_images_replay ${PROJECT_SOURCE_DIR}/fuzz/RkImageHeaderFuzzer.cpp ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
target_link_libraries(fuzz_images_replay PRIVATE RkCore)
add_test(NAME FuzzImagesCorpusReplay COMMAND fuzz_images_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus-images)
set_tests_properties(FuzzImagesCorpusReplay PROPERTIES TIMEOUT 60)

# RkCheckMaps' exit codes on the demo, on a folder with errors and on one with
# warnings only.
add_test(NAME RkCheckMapsExitCodes
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_maps_exit_codes.sh $<TARGET_FILE:RkCheckMaps>
          ${PROJECT_SOURCE_DIR}/demo ${CMAKE_CURRENT_BINARY_DIR}/check_maps_exit_codes)
set_tests_properties(RkCheckMapsExitCodes PROPERTIES TIMEOUT 60)

# The path resolver's and cell suffix's fuzz target replayed over its seed corpus.
add_executable(fuzz_paths_replay ${PROJECT_SOURCE_DIR}/fuzz/RkPathFuzzer.cpp ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
target_link_libraries(fuzz_paths_replay PRIVATE RkCore)
add_test(NAME FuzzPathsCorpusReplay COMMAND fuzz_paths_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus-paths)
set_tests_properties(FuzzPathsCorpusReplay PROPERTIES TIMEOUT 60)

# The settings file's fuzz target replayed over its seed corpus.
add_executable(fuzz_settings_replay ${PROJECT_SOURCE_DIR}/fuzz/RkSettingsFuzzer.cpp ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
target_link_libraries(fuzz_settings_replay PRIVATE RkCore)
add_test(NAME FuzzSettingsCorpusReplay COMMAND fuzz_settings_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus-settings)
set_tests_properties(FuzzSettingsCorpusReplay PROPERTIES TIMEOUT 60)
