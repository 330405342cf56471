#pragma once

// OpenGL core profile declarations for the device's own sources.
#include <GL/glcorearb.h>
