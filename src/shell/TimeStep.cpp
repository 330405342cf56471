#include "shell/TimeStep.h"

int timeStep(std::uint32_t previous, std::uint32_t now) {
    const std::uint32_t elapsed = now - previous;
    return elapsed > static_cast<std::uint32_t>(MAX_STEP_MS) ? MAX_STEP_MS
                                                             : static_cast<int>(elapsed);
}
