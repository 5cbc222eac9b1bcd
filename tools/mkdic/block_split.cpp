#include "block_split.h"

#include <numeric>
#include <string>

#include "build_error.h"

namespace mkdic {

namespace {

// Towns that must stay in one block: a town with its continuation records and
// the per-floor entries that follow it.
struct Group {
    std::size_t first = 0, count = 0;  // indices into the non-generic towns
    std::size_t bytes = 0;
};

using Parts = std::vector<std::vector<std::size_t>>;  // group indices per part

// Packs the groups in order. Each part but the last takes groups while they
// fit and, when `balance` is set, while the part stays near an equal share of
// what is left; the last part also holds the generic towns (`genericBytes`).
Parts pack(const std::vector<Group>& groups, std::size_t genericBytes, std::size_t maxBlock,
           std::size_t partsWanted, bool balance) {
    Parts parts;
    std::size_t remaining = genericBytes;
    for (const Group& g : groups) remaining += g.bytes;
    std::size_t next = 0;
    while (next < groups.size()) {
        if (remaining <= maxBlock) {
            parts.emplace_back();
            for (; next < groups.size(); ++next) parts.back().push_back(next);
            return parts;
        }
        const std::size_t partsLeft = partsWanted > parts.size() ? partsWanted - parts.size() : 1;
        const std::size_t share = remaining / partsLeft;
        std::vector<std::size_t> part;
        std::size_t size = 0;
        while (next < groups.size() && size + groups[next].bytes <= maxBlock) {
            if (balance && !part.empty() && size + groups[next].bytes / 2 > share) break;
            size += groups[next].bytes;
            part.push_back(next++);
        }
        if (part.empty()) return {};  // a group larger than a block
        remaining -= size;
        parts.push_back(std::move(part));
    }
    parts.emplace_back();  // the generic towns alone
    return parts;
}

}  // namespace

std::vector<std::vector<Town>> splitTownBlock(const std::vector<Town>& towns,
                                              std::size_t maxBlock) {
    std::size_t total = 0;
    for (const Town& t : towns) total += t.bytes();
    if (total <= maxBlock) return {towns};

    std::vector<const Town*> generic, rest;
    for (const Town& t : towns) (t.generic && !t.continuation ? generic : rest).push_back(&t);
    std::size_t genericBytes = 0;
    for (const Town* t : generic) genericBytes += t->bytes();

    std::vector<Group> groups;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (groups.empty() || (!rest[i]->continuation && !rest[i]->floorEntry)) {
            groups.push_back({i, 0, 0});
        }
        groups.back().count++;
        groups.back().bytes += rest[i]->bytes();
    }

    Parts greedy = pack(groups, genericBytes, maxBlock, 1, false);
    if (greedy.empty() || genericBytes > maxBlock) {
        throw BuildError("a group of towns that must stay in one block is larger than " +
                         std::to_string(maxBlock) + " bytes");
    }
    // Prefer parts of about equal size when they come out as few as the greedy ones.
    Parts balanced = pack(groups, genericBytes, maxBlock, greedy.size(), true);
    const Parts& chosen = !balanced.empty() && balanced.size() == greedy.size() ? balanced : greedy;

    std::vector<std::vector<Town>> out;
    for (std::size_t p = 0; p < chosen.size(); ++p) {
        std::vector<Town> part;
        if (p + 1 == chosen.size()) {
            for (const Town* t : generic) part.push_back(*t);
        }
        for (std::size_t g : chosen[p]) {
            for (std::size_t i = 0; i < groups[g].count; ++i) {
                part.push_back(*rest[groups[g].first + i]);
            }
        }
        if (p + 1 < chosen.size() && part.size() < 2) {
            throw BuildError("a block of " + std::to_string(maxBlock) +
                             " bytes would hold a single town; raise the block limit");
        }
        out.push_back(std::move(part));
    }
    return out;
}

}  // namespace mkdic
