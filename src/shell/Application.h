#pragma once

class LoopObserver;

// The process entry: start-up sequence, main loop, and the exit code that the
// loop ends with. The observer, if any, hears of the loop's marks.
int runApplication(LoopObserver* observer = nullptr);
