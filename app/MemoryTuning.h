#pragma once

// Sets up the C library's allocator for lists of a million files. Call first in main(),
// before any thread starts.
void tuneMemoryAllocator();
