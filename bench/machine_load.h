#pragma once

// The system's load average over the last minute, or a negative value when
// it cannot be read.
double loadAverage();

// Cores this process can run on.
long coreCount();
