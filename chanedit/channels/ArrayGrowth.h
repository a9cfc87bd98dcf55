// The growth rule of the by-value arrays: how many elements a new block holds
// when newSize no longer fits. Kept apart so that the rule can move onto the
// framework's array unchanged.
#pragma once

// Returns the element count of the new block, or -1 when it cannot be
// represented. capacity 0 means there is no block yet.
int ComputeArrayGrowth(int size, int capacity, int growBy, int newSize);
