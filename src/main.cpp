#include "shell/Application.h"

int main() { return runApplication(); }
