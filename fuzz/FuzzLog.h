// Fuzz targets log nowhere: the log file would grow with every input.
#pragma once

#include "core/Debug.h"

inline void silenceQorLog() { debugFile = "/dev/null"; }
