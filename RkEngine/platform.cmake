# Sources of the platform layer (SDL2, SDL2_image, SDL2_ttf, fontconfig).
list(APPEND RK_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RkMessageBox.cpp
)
