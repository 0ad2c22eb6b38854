// The default frame pictures.
#pragma once

#include "tools/contentpack/FrameSheet.h"

FramePicture DrawWoodenFrame();
FramePicture DrawGildedFrame();
FramePicture DrawModernFrame();
