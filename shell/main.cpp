// Heliora: why Earth has seasons.
#include "shell/startup.h"

int main() { return RunHeliora(PlatformBackend::Sdl); }
