#pragma once

namespace tess {

// The process-wide identifier counter. It starts at 0; every insertion first
// adds one and gives the new value to the inserted element, so identifiers
// are unique across all open documents and never reused. The deck model is
// used from the user-interface thread only.
int NextElementId();

// Adds one to the counter and returns the new value.
int TakeNextElementId();

} // namespace tess
