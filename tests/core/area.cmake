# The loaders' fuzz target replayed over the seed corpus that the project keeps,
# built with the normal compiler (scripts/fuzz.sh runs the real fuzzer).
add_executable(fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/RkLoaderFuzzer.cpp ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
target_link_libraries(fuzz_replay PRIVATE RkCore)
add_test(NAME FuzzCorpusReplay COMMAND fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus)
set_tests_properties(FuzzCorpusReplay PROPERTIES TIMEOUT 120)
