// Shows images edited on disk while the editor runs: about twice a second, and
// at once when the main window gets the keyboard focus back (the user comes back
// from the paint program), the texture cache decodes again every image whose
// file changed. The loop asks on every pass (RkEngine::WatchImages); an idle
// editor still runs a pass a second, so a change shows within about a second.
#pragma once

class RkImageWatch {
 public:
  static constexpr double kCheckSeconds = 0.5;

  void NoteFocusGained() { focusGained = true; }
  // Checks the files when due; true when an image changed and the canvas must
  // be drawn again.
  bool CheckIfDue(double now);

 private:
  bool focusGained = false;
  bool checkedOnce = false;
  double lastCheck = 0.0;
};
