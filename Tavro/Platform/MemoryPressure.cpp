#include "Tavro/Platform/MemoryPressure.h"

#include <malloc.h>

namespace tavro::MemoryPressure {

void relieve()
{
    // glibc keeps the pages of freed blocks inside its heaps for later allocations.
    malloc_trim(0);
}

} // namespace tavro::MemoryPressure
