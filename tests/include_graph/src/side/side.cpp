#include "side/side.h"

#include "high/high.h"
#include "low/low.h"
#include "low/sub/sub.h"
