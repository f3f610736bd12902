// Language modules that must be refused: BROKEN_INIT reports failure from its initialisation,
// otherwise the module initialises but its resources are not a readable table.
#include "languagemodule.h"

extern "C" CALIVUE_KVO_EXPORT int kvoInitialise(void)
{
#ifdef BROKEN_INIT
    return 0;
#else
    return 1;
#endif
}

extern "C" CALIVUE_KVO_EXPORT const char* kvoResources(void)
{
    return "{\"format\": 1, \"strings\": {\"1156\": ";
}
