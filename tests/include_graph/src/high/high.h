#pragma once

#include <vector>

#include "low/sub/sub.h"
#include "other/thing.h"
