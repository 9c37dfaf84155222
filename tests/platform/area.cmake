# The platform layer through a real window: a small scene under Xvfb, checked
# on its back buffer and on a screenshot of the screen.
add_executable(platform_window_scene ${CMAKE_CURRENT_LIST_DIR}/window_scene/RkWindowScene.cpp)
target_link_libraries(platform_window_scene PRIVATE RkEngineLib PkgConfig::SDL2)
add_test(NAME platform_window_scene
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/window_scene.sh $<TARGET_FILE:platform_window_scene>
          ${CMAKE_CURRENT_BINARY_DIR}/platform_window_scene_work)
set_tests_properties(platform_window_scene PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
