#include "workbook_encryption.h"

#include <platform/compound_file.h>

#include <cstdint>

namespace workbooks {
namespace {

constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBof = 0x0809;
// The global records come first and are few; a FILEPASS record follows the
// first BOF directly. A short look is enough and bounds the work on bad files.
constexpr int kRecordsLooked = 64;

bool announcesEncryption(platform::CompoundStream& stream) {
    for (int i = 0; i < kRecordsLooked; ++i) {
        unsigned char head[4];
        if (stream.read(head, 4) != 4) return false;
        const std::uint16_t type = static_cast<std::uint16_t>(head[0] | head[1] << 8);
        const std::uint16_t length = static_cast<std::uint16_t>(head[2] | head[3] << 8);
        if (type == kFilePass) return true;
        if (type == kEof || (i > 0 && type == kBof)) return false;
        if (!stream.seek(stream.tell() + length)) return false;
    }
    return false;
}

bool isEncrypted(platform::CompoundReader& file) {
    if (file.openStream("EncryptedPackage")) return true;
    for (const char* name : {"Workbook", "Book"})
        if (auto stream = file.openStream(name)) return announcesEncryption(*stream);
    return false;
}

}  // namespace

bool isEncryptedWorkbook(const std::string& path) {
    platform::CompoundReader file;
    return file.open(path) && isEncrypted(file);
}

bool isEncryptedWorkbookData(const void* data, std::size_t size) {
    platform::CompoundReader file;
    return file.openMemory(data, size) && isEncrypted(file);
}

}  // namespace workbooks
