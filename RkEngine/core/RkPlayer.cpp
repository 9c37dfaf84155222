// The player entity: its own destructor and nothing else.
#include "RkPlayer.h"

RkPlayer::~RkPlayer() = default;
