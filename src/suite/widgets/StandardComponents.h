#pragma once

namespace suite {

// Registers the stand-ins of the three suite components under their ProgIDs, leaving any
// registration already made (by a test) in place.
void RegisterStandardComponents();

}  // namespace suite
