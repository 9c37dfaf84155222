# Sources of the platform layer (SDL2, SDL2_image, SDL2_ttf, fontconfig).
list(APPEND RK_PLATFORM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RkMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkKeyMap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkTextureCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkImageLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkFontFinder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkSprite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkSpriteGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RkDirect3D.cpp
)
