// A point in pixels with a depth that is always 0: sprite centres and positions.
#pragma once

struct RkVector3 {
  float x;
  float y;
  float z;
};
