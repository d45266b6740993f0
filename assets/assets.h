#pragma once
// The program's pictures live in a static library: whoever uses them registers them first, or
// the linker would drop them.

namespace alambix {

// Registers the resources of assets.qrc; cheap after the first call.
void loadAssets();

} // namespace alambix
