// A world file read on a thread of its own, so that a big map is read while
// the game opens its window. Nothing of the reading shows before Finish, which
// gives it as a plain load would have: each notice ("still bad") in its order,
// then the world or the failure. Where there are no threads (the web build)
// Start reads at once and Finish still shows the notices then.
#pragma once

#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "RkFailure.h"
#include "RkWorld.h"

class BackgroundWorldLoad {
 public:
  BackgroundWorldLoad() = default;
  BackgroundWorldLoad(const BackgroundWorldLoad&) = delete;
  BackgroundWorldLoad& operator=(const BackgroundWorldLoad&) = delete;
  ~BackgroundWorldLoad();

  void Start(std::string fileName);
  // Waits for the reading and shows its notices. On success the world read
  // takes world's place; on a failure world is left as it was and the failure
  // (what RkWorld::Load would have reported) comes back.
  [[nodiscard]] std::optional<RkFailure> Finish(RkWorld& world);

 private:
  struct Notice {
    std::string text;
    std::optional<std::string> caption;
  };

  void Read();
  void Wait();

  std::string fileName_;
  RkWorld read_;
  std::optional<RkFailure> failure_;
  std::vector<Notice> notices_;
  std::thread thread_;
};
