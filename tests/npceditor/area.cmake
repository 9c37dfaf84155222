# The NPC editor panel's tests run on the editor library, without a window.
target_link_libraries(test_npceditor PRIVATE RkEditor)
