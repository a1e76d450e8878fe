#include "app/ProcessHeap.h"

// Elsewhere the heap is left as the C library sets it up.
bool PrepareHeap()
{
    return false;
}
