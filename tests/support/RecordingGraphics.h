#pragma once

#include "platform/RecordingDevice.h"

// Puts a recording device where start-up puts the real one: in the graphics
// context, in the texture, mesh and font registries, with the registry's
// shared sprite made on it. The log starts empty. Call it before anything
// else touches those singletons, so the device outlives what is made on it.
RecordingDevice& installRecordingDevice();
