#include "cell_chain.h"

#include <algorithm>
#include <cstring>

#include "biff_records.h"

namespace workbooks {
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
bool walk(std::string_view row, F f) {
    std::size_t pos = 0;
    const auto* base = reinterpret_cast<const std::uint8_t*>(row.data());
    while (pos + 4 <= row.size()) {
        Parsed p{pos, get16(base + pos), get16(base + pos + 2), 0, 0, base + pos + 4};
        if (pos + 4u + p.length > row.size()) break;
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

// Calls f(column, end) for each formula of a row, in column order, that is
// nothing but a reference to the shared formula of the master at (masterRow,
// masterColumn) and lies in columns first..last; `end` is the position after
// it in the row. Stops when f returns true.
template <typename F>
bool eachSharedUser(std::string_view row, std::uint32_t first, std::uint32_t last,
                    std::uint32_t masterRow, std::uint32_t masterColumn, F f) {
    return walk(row, [&](const Parsed& p) {
        if (p.type != rec::kFormula || p.first < first || p.first > last || p.length < 27 ||
            get16(p.data + 20) != 5 || p.data[22] != 0x01 || get16(p.data + 23) != masterRow ||
            get16(p.data + 25) != masterColumn)
            return false;
        return f(p.first, p.pos + 4u + p.length);
    });
}

}  // namespace

bool isCellAttachment(std::uint16_t type) {
    return type == rec::kString || type == rec::kShrFmla || type == rec::kArray ||
           type == rec::kTable;
}

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

CellChain::Row& CellChain::rowFor(std::uint32_t row) {
    if (row >= rows_.size()) rows_.resize(row + 1);
    return rows_[row];
}

void CellChain::splice(Row& row, std::size_t pos, std::size_t length, std::string_view with) {
    const std::size_t size = row.size - length + with.size();
    const bool last = row.offset + row.capacity == arena_.size();
    if (size > row.capacity && last) {
        // The last piece of the arena grows where it is.
        arena_.resize(row.offset + size);
        row.capacity = static_cast<std::uint32_t>(size);
    }
    if (size <= row.capacity) {
        char* base = arena_.data() + row.offset;
        std::memmove(base + pos + with.size(), base + pos + length, row.size - pos - length);
        std::memcpy(base + pos, with.data(), with.size());
    } else {
        std::string moved;
        moved.reserve(size);
        moved.append(arena_, row.offset, pos);
        moved.append(with);
        moved.append(arena_, row.offset + pos + length, row.size - pos - length);
        row.offset = static_cast<std::uint32_t>(arena_.size());
        row.capacity = static_cast<std::uint32_t>(size);
        arena_ += moved;
    }
    bytes_ += size;
    bytes_ -= row.size;
    row.size = static_cast<std::uint32_t>(size);
}

bool CellChain::append(std::uint16_t type, std::string_view data) {
    if (data.size() < 4) return false;
    const std::uint32_t number = get16(reinterpret_cast<const std::uint8_t*>(data.data()));
    Row& row = rowFor(number);
    std::string record;
    putRecord(record, type, std::string(data));
    splice(row, row.size, 0, record);
    lastRow_ = number;
    return true;
}

bool CellChain::attach(std::uint16_t type, std::string_view data) {
    if (lastRow_ < 0) return false;
    if ((type == rec::kArray || type == rec::kTable) && data.size() >= 6) {
        const auto* range = reinterpret_cast<const std::uint8_t*>(data.data());
        formulaBlocks_.push_back({get16(range), get16(range + 2), range[4], range[5]});
    }
    Row& row = rowFor(static_cast<std::uint32_t>(lastRow_));
    std::string record;
    putRecord(record, type, std::string(data));
    splice(row, row.size, 0, record);
    return true;
}

int CellChain::formatAt(std::uint32_t row, std::uint32_t column) const {
    if (row >= rows_.size()) return -1;
    int xf = -1;
    walk(rowBytes(row), [&](const Parsed& p) {
        if (isCellAttachment(p.type) || column < p.first || column > p.last || p.length < 6)
            return false;
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
    Row& target = rowFor(row);
    const std::uint32_t key = column * 256 + column;
    std::string record;
    putRecord(record, type, std::string(data));
    // Where the record goes: bytes [pos, pos + length) of the row become `with`.
    std::size_t pos = target.size, length = 0;
    std::string with = record, shared;
    const std::string_view bytes = rowBytes(row);
    walk(bytes, [&](const Parsed& p) {
        if (isCellAttachment(p.type)) return false;
        const std::size_t size = 4u + p.length;
        if ((p.type == rec::kMulRk || p.type == rec::kMulBlank) && p.first <= column &&
            column <= p.last) {
            with.clear();
            if (column > p.first) runPart(with, p, p.first, column - 1);
            with += record;
            if (column < p.last) runPart(with, p, column + 1, p.last);
            pos = p.pos;
            length = size;
            return true;
        }
        const std::uint32_t existing = p.first * 256 + p.last;
        if (existing < key) return false;
        pos = p.pos;
        length = existing == key ? size : 0;
        if (length == 0 || p.type != rec::kFormula) return true;
        // A replaced formula's string result goes with it; its shared formula
        // moves on to the next cell that uses it; an array or table stays.
        const auto* base = reinterpret_cast<const std::uint8_t*>(bytes.data());
        for (std::size_t next = p.pos + size; next + 4 <= bytes.size();) {
            const std::uint16_t type = get16(base + next);
            const std::size_t recordSize = 4u + get16(base + next + 2);
            if (!isCellAttachment(type) || next + recordSize > bytes.size()) break;
            if (type == rec::kShrFmla)
                shared.assign(bytes.substr(next + 4, recordSize - 4));
            else if (type != rec::kString)
                with.append(bytes.substr(next, recordSize));
            length += recordSize;
            next += recordSize;
        }
        return true;
    });
    splice(target, pos, length, with);
    if (shared.size() < 6) return;
    const auto* range = reinterpret_cast<const std::uint8_t*>(shared.data());
    if (get16(range) == row && range[4] == column) {
        orphans_.push_back({row, column, std::move(shared)});
    } else {
        // Not the master of its range: the record stays with the cell.
        std::string kept;
        putRecord(kept, rec::kShrFmla, shared);
        splice(target, pos + record.size(), 0, kept);
    }
}

bool CellChain::inFormulaBlock(std::uint32_t row, std::uint32_t column) const {
    return std::any_of(formulaBlocks_.begin(), formulaBlocks_.end(), [&](const Block& b) {
        return b.firstRow <= row && row <= b.lastRow && b.firstColumn <= column &&
               column <= b.lastColumn;
    });
}

void CellChain::settleSharedFormulas() {
    for (const Orphan& orphan : orphans_) settle(orphan);
    orphans_.clear();
}

void CellChain::settle(const Orphan& orphan) {
    const auto* range = reinterpret_cast<const std::uint8_t*>(orphan.shared.data());
    const std::uint32_t lastRow = std::min<std::uint32_t>(get16(range + 2), rowLimit() - 1);
    const std::uint32_t firstColumn = range[4], lastColumn = range[5];
    for (std::uint32_t top = get16(range); top <= lastRow && top < rowLimit();) {
        // The first cell of what is left of the range that still uses the formula.
        std::uint32_t r = top, c = 0;
        std::size_t end = 0;
        for (; r <= lastRow; ++r)
            if (eachSharedUser(rowBytes(r), firstColumn, lastColumn, orphan.row, orphan.column,
                               [&](std::uint32_t column, std::size_t after) {
                                   c = column;
                                   end = after;
                                   return true;
                               }))
                break;
        if (r > lastRow) return;  // no cell uses it any more
        // It masters the rest of the range when it starts a row of it, else
        // the rest of its own row; the rows below are settled next.
        const std::uint32_t pieceLast = c == firstColumn ? lastRow : r;
        std::string shared = orphan.shared;
        auto* piece = reinterpret_cast<std::uint8_t*>(shared.data());
        set16(piece, r);
        set16(piece + 2, pieceLast);
        piece[4] = static_cast<std::uint8_t>(c);
        for (std::uint32_t ur = r; ur <= pieceLast; ++ur) {
            std::vector<std::size_t> ends;
            eachSharedUser(rowBytes(ur), ur == r ? c : firstColumn, lastColumn, orphan.row,
                           orphan.column, [&](std::uint32_t, std::size_t after) {
                               ends.push_back(after);
                               return false;
                           });
            // Every cell of the piece that uses it refers to the new master.
            for (std::size_t after : ends) {
                auto* token =
                    reinterpret_cast<std::uint8_t*>(arena_.data()) + rows_[ur].offset + after - 4;
                set16(token, r);
                set16(token + 2, c);
            }
        }
        std::string record;
        putRecord(record, rec::kShrFmla, shared);
        splice(rows_[r], end, 0, record);
        top = pieceLast + 1;
    }
}

void CellChain::rowColumns(std::uint32_t row, std::uint32_t& first,
                           std::uint32_t& lastPlus1) const {
    first = 0xFFFF;
    lastPlus1 = 0;
    walk(rowBytes(row), [&](const Parsed& p) {
        if (isCellAttachment(p.type)) return false;
        first = std::min(first, p.first);
        lastPlus1 = std::max(lastPlus1, p.last + 1);
        return false;
    });
    if (lastPlus1 == 0) first = 0;
}

}  // namespace workbooks
