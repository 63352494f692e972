// Memory the program has freed, given back to the system.

#include <malloc.h>

#include "platform/Platform.h"

void ReturnFreedMemory() { ::malloc_trim(0); }
