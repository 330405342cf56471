#include "shell/Application.h"

int runApplication() { return 0; }
