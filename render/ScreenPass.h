// One paint pass of a screen: the state it paints and the part of the screen it repaints.
#pragma once

#include "data/ScreenState.h"
#include "render/Geometry.h"
#include "render/ScreenLayout.h"

namespace quorvel {

struct ScreenPass {
    ScreenState state;
    IntRect area{0, 0, kScreenWidth, kScreenHeight};
};

}  // namespace quorvel
