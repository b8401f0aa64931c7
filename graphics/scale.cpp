#include "graphics/scale.h"

DisplayScale gDisplayScale;
