#include "run_path.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace setup {

namespace {

constexpr std::uint32_t kLoad = 1, kDynamic = 2;
constexpr std::int64_t kStringTable = 5, kRpath = 15, kRunpath = 29;

template <class T>
bool readAt(const std::vector<char>& bytes, std::uint64_t offset, T& value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

}  // namespace

bool keepRunPathBeside(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file.string();
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    // Only 64-bit little-endian ELF files carry a run path to change here.
    if (bytes.size() < 64 ||
        std::memcmp(bytes.data(),
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        bytes[4] != 2 || bytes[5] != 1)
        return true;
    const auto malformed = [&] {
        error = file.string() + ": malformed dynamic section";
        return false;
    };
    std::uint64_t headers = 0;
    std::uint16_t headerSize = 0, headerCount = 0;
    if (!readAt(bytes, 32, headers) || !readAt(bytes, 54, headerSize) ||
        !readAt(bytes, 56, headerCount) || headerSize < 56)
        return malformed();
    struct Segment {
        std::uint64_t offset, address, size;
    };
    std::vector<Segment> loads;
    std::uint64_t dynamicOffset = 0, dynamicSize = 0;
    for (std::uint16_t i = 0; i < headerCount; ++i) {
        const std::uint64_t at = headers + std::uint64_t{i} * headerSize;
        std::uint32_t type = 0;
        std::uint64_t offset = 0, address = 0, size = 0;
        if (!readAt(bytes, at, type) || !readAt(bytes, at + 8, offset) ||
            !readAt(bytes, at + 16, address) || !readAt(bytes, at + 32, size))
            return malformed();
        if (type == kLoad) loads.push_back({offset, address, size});
        if (type == kDynamic) {
            dynamicOffset = offset;
            dynamicSize = size;
        }
    }
    if (dynamicSize == 0) return true;
    std::uint64_t stringTable = 0, runPath = 0;
    bool hasTable = false, hasPath = false;
    for (std::uint64_t at = dynamicOffset; at + 16 <= dynamicOffset + dynamicSize; at += 16) {
        std::int64_t tag = 0;
        std::uint64_t value = 0;
        if (!readAt(bytes, at, tag) || !readAt(bytes, at + 8, value)) return malformed();
        if (tag == 0) break;
        if (tag == kStringTable) {
            stringTable = value;
            hasTable = true;
        }
        if (tag == kRunpath || tag == kRpath) {
            runPath = value;
            hasPath = true;
        }
    }
    if (!hasPath) return true;
    if (!hasTable) return malformed();
    // The string table's address as a place in the file.
    std::uint64_t tableOffset = 0;
    bool mapped = false;
    for (const Segment& load : loads)
        if (stringTable >= load.address && stringTable - load.address < load.size) {
            tableOffset = load.offset + (stringTable - load.address);
            mapped = true;
        }
    if (!mapped || tableOffset > bytes.size() || bytes.size() - tableOffset <= runPath)
        return malformed();
    char* text = bytes.data() + tableOffset + runPath;
    const std::size_t room = bytes.size() - (tableOffset + runPath);
    const std::size_t length = strnlen(text, room);
    if (length == room) return malformed();
    static const char kBeside[] = "$ORIGIN";
    if (std::strcmp(text, kBeside) == 0) return true;
    if (length < sizeof kBeside - 1) {
        error = file.string() + ": run path too short to rewrite";
        return false;
    }
    std::memset(text, 0, length);
    std::memcpy(text, kBeside, sizeof kBeside - 1);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace setup
