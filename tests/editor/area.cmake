# The editor's suites drive its panels and canvas on plain state, without a window.
target_link_libraries(test_editor PRIVATE RkEditor)
