// The Qt application object a fuzz target needs before it can draw text.
#pragma once

namespace quorvel {

// Starts an offscreen QGuiApplication once for the whole fuzzing process.
void StartFuzzQtApplication();

}  // namespace quorvel
