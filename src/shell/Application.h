#pragma once

// The process entry: start-up sequence, main loop, and the exit code that the
// loop ends with.
int runApplication();
