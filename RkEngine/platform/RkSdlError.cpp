#include "RkSdlError.h"

#include <SDL.h>

std::string RkSdlError::Text() {
  const char* text = SDL_GetError();
  if (text == nullptr || *text == '\0') return "The library gave no reason for the failure.\n";
  return std::string(text) + "\n";
}
