#include "workbook_builder.h"

#include <platform/compound_file.h>

#include <cstring>

namespace testbook {

std::string u16(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string u32(std::uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); }
std::string f64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return u32(static_cast<std::uint32_t>(bits)) + u32(static_cast<std::uint32_t>(bits >> 32));
}
std::string record(std::uint16_t type, const std::string& data) {
    return u16(type) + u16(static_cast<std::uint32_t>(data.size())) + data;
}

std::string workbookStream(bool biff8, const std::vector<Sheet>& sheets,
                           const std::string& globals) {
    const std::string bof = biff8 ? record(0x0809, u16(0x0600) + u16(5) + std::string(12, '\0'))
                                  : record(0x0809, u16(0x0500) + u16(5) + std::string(4, '\0'));
    std::vector<std::string> bounds;
    for (const Sheet& s : sheets) {
        std::string data = u32(0) + u16(s.options);
        if (biff8)
            data +=
                std::string(1, static_cast<char>(s.wideName ? s.name.size() / 2 : s.name.size())) +
                std::string(1, s.wideName ? '\1' : '\0') + s.name;
        else
            data += std::string(1, static_cast<char>(s.name.size())) + s.name;
        bounds.push_back(record(0x0085, data));
    }
    std::string head = bof + globals;
    std::size_t offset = head.size() + 4;
    for (const std::string& b : bounds) offset += b.size();
    std::string body;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::uint32_t at = static_cast<std::uint32_t>(offset + body.size());
        bounds[i].replace(4, 4, u32(at));
        const std::string sheetBof =
            biff8 ? record(0x0809, u16(0x0600) + u16(0x10) + std::string(12, '\0'))
                  : record(0x0809, u16(0x0500) + u16(0x10) + std::string(4, '\0'));
        body += sheetBof + sheets[i].cells + record(0x000A, "");
    }
    for (const std::string& b : bounds) head += b;
    return head + record(0x000A, "") + body;
}

std::string basicFormats(bool biff8) {
    std::string out;
    for (int i = 0; i < 5; ++i) {
        std::string font =
            u16(200) + u16(0) + u16(0x7FFF) + u16(400) + u16(0) + std::string(4, '\0');
        font += biff8 ? std::string("\5\0Arial", 7) : std::string("\5Arial", 6);
        out += record(0x0031, font);
    }
    for (int i = 0; i < 21; ++i)
        out += record(0x00E0, u16(0) + u16(0) + u16(i < 15 ? 0xFFF5 : 1) +
                                  std::string(biff8 ? 14 : 10, '\0'));
    return out;
}

std::string label5(std::uint16_t row, std::uint16_t col, const std::string& sjis) {
    return record(0x0204, u16(row) + u16(col) + u16(15) +
                              u16(static_cast<std::uint32_t>(sjis.size())) + sjis);
}
std::string labelSst(std::uint16_t row, std::uint16_t col, std::uint32_t index) {
    return record(0x00FD, u16(row) + u16(col) + u16(15) + u32(index));
}
std::string number(std::uint16_t row, std::uint16_t col, double value, std::uint16_t xf) {
    return record(0x0203, u16(row) + u16(col) + u16(xf) + f64(value));
}
std::string rk(std::uint16_t row, std::uint16_t col, std::uint32_t rkValue) {
    return record(0x027E, u16(row) + u16(col) + u16(15) + u32(rkValue));
}
std::string mulrk(std::uint16_t row, std::uint16_t first, const std::vector<std::uint32_t>& rks) {
    std::string data = u16(row) + u16(first);
    for (std::uint32_t v : rks) data += u16(15) + u32(v);
    return record(0x00BD, data + u16(static_cast<std::uint32_t>(first + rks.size() - 1)));
}
std::string dimensions(bool biff8, std::uint32_t firstRow, std::uint32_t lastRowPlus1,
                       std::uint16_t firstCol, std::uint16_t lastColPlus1) {
    if (biff8)
        return record(
            0x0200, u32(firstRow) + u32(lastRowPlus1) + u16(firstCol) + u16(lastColPlus1) + u16(0));
    return record(0x0200,
                  u16(firstRow) + u16(lastRowPlus1) + u16(firstCol) + u16(lastColPlus1) + u16(0));
}

bool writeCompound(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& streams) {
    platform::CompoundWriter writer;
    platform::ClassId id{};
    if (!writer.create(path, id)) return false;
    for (const auto& [name, bytes] : streams)
        if (!writer.createStream(name.c_str()) || !writer.write(bytes.data(), bytes.size()))
            return false;
    return writer.commit();
}

}  // namespace testbook
