// Spreads the towns of a municipality whose town block would exceed the
// block limit (a block's size is a 16-bit word) over several blocks.
#pragma once

#include <cstddef>
#include <vector>

#include "dictionary_model.h"

namespace mkdic {

// Returns the towns of each block, in order. When everything fits, one part
// with the towns as given. Otherwise the towns are cut into parts of about
// equal size, each within `maxBlock`, only before a town that starts a new
// name (not a continuation) and is not a per-floor entry, so that a
// "(次のビルを除く)" town keeps its buildings; the generic town goes to the front
// of the last part, because the engine moves on to the next record of the
// same municipality only when a block yields no town at all. Throws
// BuildError when a group of towns that must stay together is too big, or
// when a part other than the last would hold a single town (the engine takes
// the only town of a block as the answer to every address).
std::vector<std::vector<Town>> splitTownBlock(const std::vector<Town>& towns, std::size_t maxBlock);

}  // namespace mkdic
