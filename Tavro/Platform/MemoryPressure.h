#pragma once
// Stands for the malloc zones' pressure relief: the allocator hands the pages that only free
// blocks take up back to the system, so that a process waiting for work holds no more than it uses.

namespace tavro::MemoryPressure {

// Gives every page of the allocator's free memory back to the system; what is in use stays.
void relieve();

} // namespace tavro::MemoryPressure
