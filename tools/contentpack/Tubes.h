// The default picture tubes, each a sheet of stamp cells with soft edges.
#pragma once

#include "tools/contentpack/TubeSheet.h"

TubePicture DrawStarsTube();
TubePicture DrawLeavesTube();
TubePicture DrawHeartsTube();
TubePicture DrawBubblesTube();
TubePicture DrawFlowersTube();
