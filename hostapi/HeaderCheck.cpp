// Compiles every header of the layer on its own, with the project's
// warnings, so that a header that misses an include or warns is caught
// here and not in a plug-in.
#include "hostapi/HostApi.h"
