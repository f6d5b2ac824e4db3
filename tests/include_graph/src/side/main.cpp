#include "high/high.h"
#include "side/side.h"
