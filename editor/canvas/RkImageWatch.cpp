// The editor's watch over the image files that its textures came from.
#include "RkImageWatch.h"

#include "RkTextureCache.h"

bool RkImageWatch::CheckIfDue(double now) {
  const bool due = focusGained || !checkedOnce || now - lastCheck >= kCheckSeconds || now < lastCheck;
  if (!due) return false;
  focusGained = false;
  checkedOnce = true;
  lastCheck = now;
  return RkTextureCache::Instance().ReloadChanged() > 0;
}
