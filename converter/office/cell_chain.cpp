#include "cell_chain.h"

#include <algorithm>

#include "biff_records.h"

namespace office {
namespace {

struct Parsed {
    std::size_t pos;  // of the header within the row
    std::uint16_t type;
    std::uint16_t length;
    std::uint32_t first, last;
    const std::uint8_t* data;
};

// Calls f(Parsed) for each record of a row until it returns true.
template <typename F>
bool walk(const std::string& row, F f) {
    std::size_t pos = 0;
    const auto* base = reinterpret_cast<const std::uint8_t*>(row.data());
    while (pos + 4 <= row.size()) {
        Parsed p{pos, get16(base + pos), get16(base + pos + 2), 0, 0, base + pos + 4};
        cellColumns(p.type, p.data, p.length, p.first, p.last);
        if (f(p)) return true;
        pos += 4u + p.length;
    }
    return false;
}

void putRecord(std::string& out, std::uint16_t type, const std::string& data) {
    std::uint8_t header[4];
    set16(header, type);
    set16(header + 2, static_cast<std::uint32_t>(data.size()));
    out.append(reinterpret_cast<const char*>(header), 4);
    out += data;
}

// The cells first .. last of a run record as one record: a single cell
// becomes RK or BLANK, a longer part stays a run.
void runPart(std::string& out, const Parsed& run, std::uint32_t first, std::uint32_t last) {
    if (first > last) return;
    const std::uint32_t row = get16(run.data);
    const bool numbers = run.type == rec::kMulRk;
    const std::size_t width = numbers ? 6 : 2;
    const std::uint8_t* values = run.data + 4 + width * (first - run.first);
    RecordData d;
    if (first == last) {
        d.u16(row).u16(first).bytes(values, width);
        putRecord(out, numbers ? rec::kRk : rec::kBlank, d.str());
        return;
    }
    d.u16(row).u16(first).bytes(values, width * (last - first + 1)).u16(last);
    putRecord(out, run.type, d.str());
}

}  // namespace

void cellColumns(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                 std::uint32_t& first, std::uint32_t& last) {
    first = last = length >= 4 ? get16(data + 2) : 0;
    if ((type == rec::kMulRk || type == rec::kMulBlank) && length >= 6) {
        const std::size_t width = type == rec::kMulRk ? 6 : 2;
        const std::uint32_t held = static_cast<std::uint32_t>((length - 6) / width);
        const std::uint32_t stated = get16(data + length - 2);
        // A run never covers more cells than it holds values for.
        last = held == 0 ? first : std::min(stated, first + held - 1);
        if (last < first) last = first;
    }
}

std::string& CellChain::rowFor(std::uint32_t row) {
    if (row >= rows_.size()) rows_.resize(row + 1);
    return rows_[row];
}

bool CellChain::append(std::uint16_t type, std::string_view data) {
    if (data.size() < 4) return false;
    std::string& row = rowFor(get16(reinterpret_cast<const std::uint8_t*>(data.data())));
    const std::size_t before = row.size();
    putRecord(row, type, std::string(data));
    bytes_ += row.size() - before;
    return true;
}

int CellChain::formatAt(std::uint32_t row, std::uint32_t column) const {
    if (row >= rows_.size()) return -1;
    int xf = -1;
    walk(rows_[row], [&](const Parsed& p) {
        if (column < p.first || column > p.last || p.length < 6) return false;
        switch (p.type) {
            case rec::kMulRk:
                xf = get16(p.data + 4 + 6 * (column - p.first));
                return true;
            case rec::kMulBlank:
                xf = get16(p.data + 4 + 2 * (column - p.first));
                return true;
            case rec::kFormula:
            case rec::kRString:
            case rec::kLabelSst:
            case rec::kBlank:
            case rec::kNumber:
            case rec::kLabel:
            case rec::kRk:
            case rec::kBoolErr:
                xf = get16(p.data + 4);
                return true;
            default:
                return false;
        }
    });
    return xf;
}

void CellChain::insert(std::uint32_t row, std::uint32_t column, std::uint16_t type,
                       std::string_view data) {
    std::string& bytes = rowFor(row);
    const std::size_t before = bytes.size();
    const std::uint32_t key = column * 256 + column;
    std::string record;
    putRecord(record, type, std::string(data));
    const bool placed = walk(bytes, [&](const Parsed& p) {
        const std::size_t size = 4u + p.length;
        if ((p.type == rec::kMulRk || p.type == rec::kMulBlank) && p.first <= column &&
            column <= p.last) {
            std::string parts;
            if (column > p.first) runPart(parts, p, p.first, column - 1);
            parts += record;
            if (column < p.last) runPart(parts, p, column + 1, p.last);
            bytes.replace(p.pos, size, parts);
            return true;
        }
        const std::uint32_t existing = p.first * 256 + p.last;
        if (existing < key) return false;
        bytes.replace(p.pos, existing == key ? size : 0, record);
        return true;
    });
    if (!placed) bytes += record;
    bytes_ += bytes.size();
    bytes_ -= before;
}

void CellChain::rowColumns(std::uint32_t row, std::uint32_t& first,
                           std::uint32_t& lastPlus1) const {
    first = 0xFFFF;
    lastPlus1 = 0;
    walk(rows_[row], [&](const Parsed& p) {
        first = std::min(first, p.first);
        lastPlus1 = std::max(lastPlus1, p.last + 1);
        return false;
    });
    if (lastPlus1 == 0) first = 0;
}

}  // namespace office
