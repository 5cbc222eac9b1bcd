#include "biff_stream.h"

#include <algorithm>
#include <cstdint>

#include "conversion/settings.h"
#include "platform/sjis_bytes.h"

namespace workbooks {

BiffStream::BiffStream() = default;
BiffStream::~BiffStream() { Close(false); }

int BiffStream::Open(const std::string& path, bool decodeStrings) {
    Close(false);
    if (!storage_.open(path)) return -1;
    return openStorage(decodeStrings);
}

int BiffStream::OpenMemory(const void* data, std::size_t size, bool decodeStrings) {
    Close(false);
    if (!storage_.openMemory(data, size)) return -1;
    return openStorage(decodeStrings);
}

int BiffStream::openStorage(bool decodeStrings) {
    // A file saved for both Excel 95 and Excel 97 holds both streams; the
    // older one is read, so such a file is BIFF5.
    stream_ = storage_.openStream("Book");
    biff8_ = false;
    if (!stream_) {
        stream_ = storage_.openStream("Workbook");
        biff8_ = true;
    }
    if (!stream_) {
        closeReader();
        return -2;
    }
    if (Seek(0) < 0) {
        closeReader();
        return -2;
    }
    readGlobals(decodeStrings);
    if (sheets_.empty()) {
        closeReader();
        return -2;
    }
    return 0;
}

void BiffStream::readGlobals(bool decodeStrings) {
    bool afterSst = false;  // the last record that was not a CONTINUE was the SST
    std::uint16_t type, length;
    while (ReadRecord(type, length) == 0 && type != rec::kEof) {
        const std::string_view data(reinterpret_cast<const char*>(buffer_.data()), length);
        if (type == rec::kSst) {
            strings_.addRawRecord(data);
            afterSst = true;
        } else if (type == rec::kContinue) {
            if (afterSst) strings_.addRawRecord(data);
        } else {
            afterSst = false;
            if (type == rec::kBoundSheet) addSheet(length);
        }
    }
    if (decodeStrings && biff8_) strings_.decode(false);
}

void BiffStream::addSheet(std::uint16_t length) {
    if (length < 7) return;
    SheetEntry entry;
    entry.offset = get32(buffer_.data());
    entry.options = get16(buffer_.data() + 4);
    std::size_t count = buffer_[6];
    if (!biff8_) {
        if (count > length - 7u) count = length - 7u;
        entry.name.assign(reinterpret_cast<const char*>(buffer_.data() + 7), count);
    } else if (length >= 8) {
        const bool wide = buffer_[7] & 1;
        const std::size_t room = length - 8u;
        if ((wide ? count * 2 : count) > room) count = wide ? room / 2 : room;
        takeText(buffer_.data() + 8, count, wide, SIZE_MAX, entry.name);
    }
    sheets_.push_back(std::move(entry));
}

bool BiffStream::takeText(const std::uint8_t* chars, std::size_t count, bool wide,
                          std::size_t capacity, std::string& out) {
    bool converted = true;
    if (wide) {
        wide_.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            wide_[i] = static_cast<char16_t>(get16(chars + 2 * i));
        converted = converter_.toSjis(wide_, out);
    } else {
        out.assign(reinterpret_cast<const char*>(chars), count);
    }
    if (capacity != SIZE_MAX && out.size() + 1 > capacity)
        out.resize(platform::cutSjis(out, capacity > 0 ? capacity - 1 : 0).size());
    return converted;
}

int BiffStream::formulaResult(std::uint16_t length, CellValue& cell, std::size_t capacity) {
    const std::uint8_t* d = buffer_.data();
    if (length < 14) return 0;
    cell.row = get16(d);
    cell.column = get16(d + 2);
    if (get16(d + 12) != 0xFFFF) {
        cell.number = getDouble(d + 6);
        return 1;
    }
    if (d[6] != 0) return 0;  // a boolean, an error or an empty text
    // A text result is in the STRING record that follows (after the shared
    // formula, array or table the formula may carry).
    std::uint64_t next = position_;
    std::uint16_t type, size;
    for (;;) {
        if (ReadRecord(type, size) != 0) return -1;
        if (type != rec::kShrFmla && type != rec::kArray && type != rec::kTable) break;
        next = position_;
    }
    if (type != rec::kString) {
        // Not there: the record is read again as the next one.
        return Seek(next) < 0 ? -1 : 0;
    }
    if (size < 2) return 0;
    std::size_t count = get16(d);
    bool converted;
    if (!biff8_) {
        if (count > size - 2u) count = size - 2u;
        converted = takeText(d + 2, count, false, capacity, cell.text);
    } else {
        if (size < 3) return 0;
        const bool wide = d[2] & 1;
        const std::size_t room = size - 3u;
        if ((wide ? count * 2 : count) > room) count = wide ? room / 2 : room;
        converted = takeText(d + 3, count, wide, capacity, cell.text);
    }
    if (cell.text.empty()) return 0;
    cell.isText = true;
    cell.unconvertible = !converted;
    return 1;
}

int BiffStream::ReadRecord(std::uint16_t& type, std::uint16_t& length) {
    if (!stream_) return -1;
    std::uint8_t header[4];
    if (stream_->read(header, 4) != 4) return -1;
    type = get16(header);
    length = get16(header + 2);
    if (length > kMaxRecordData) return -1;
    if (stream_->read(buffer_.data(), length) != length) return -1;
    position_ += 4u + length;
    return 0;
}

std::int64_t BiffStream::Seek(std::uint64_t offset) {
    if (!stream_ || !stream_->seek(offset)) return -1;
    position_ = offset;
    return static_cast<std::int64_t>(offset);
}

int BiffStream::ScanDimensions() {
    for (SheetEntry& sheet : sheets_) {
        if (Seek(sheet.offset) < 0) continue;
        std::uint16_t type, length;
        while (ReadRecord(type, length) == 0 && type != rec::kEof) {
            if (type != rec::kDimensions) continue;
            const std::uint8_t* d = buffer_.data();
            if (biff8_ && length >= 12) {
                sheet.firstRow = get32(d);
                sheet.lastRowPlus1 = get32(d + 4);
                sheet.firstColumn = get16(d + 8);
                sheet.lastColumnPlus1 = get16(d + 10);
            } else if (!biff8_ && length >= 8) {
                sheet.firstRow = get16(d);
                sheet.lastRowPlus1 = get16(d + 2);
                sheet.firstColumn = get16(d + 4);
                sheet.lastColumnPlus1 = get16(d + 6);
            }
            if (sheet.lastRowPlus1 < sheet.firstRow) sheet.lastRowPlus1 = sheet.firstRow;
            if (sheet.lastColumnPlus1 < sheet.firstColumn)
                sheet.lastColumnPlus1 = sheet.firstColumn;
            // A sheet has one DIMENSIONS record, ahead of its cells: the rest
            // of the sheet need not be read.
            break;
        }
    }
    return 0;
}

int BiffStream::SelectSheet(std::string_view name) {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (sheets_[i].name != name) continue;
        if (Seek(sheets_[i].offset) < 0) return -1;
        multiple_ = MultipleCells{};
        return static_cast<int>(i);
    }
    return -1;
}

int BiffStream::NextCell(CellValue& cell, std::size_t capacity) {
    cell.isText = false;
    cell.unconvertible = false;
    cell.text.clear();
    for (;;) {
        if (multiple_.remaining > 0) {
            cell.column = multiple_.nextColumn++;
            cell.row = multiple_.row;
            cell.number =
                decodeRk(get32(buffer_.data() + multiple_.values + 6 * multiple_.index + 2));
            ++multiple_.index;
            --multiple_.remaining;
            return 0;
        }
        std::uint16_t type, length;
        if (ReadRecord(type, length) != 0) return -2;
        const std::uint8_t* d = buffer_.data();
        switch (type & 0xFF) {
            case 0x06: {
                // A formula gives its cached result, as a plain cell would.
                const int r = formulaResult(length, cell, capacity);
                if (r < 0) return -2;
                if (r > 0) return 0;
                break;
            }
            case 0x0A:
                if (type == rec::kEof) return -1;
                break;
            case 0x03:
                if (length < 14) break;
                cell.row = get16(d);
                cell.column = get16(d + 2);
                cell.number = getDouble(d + 6);
                return 0;
            case 0x04: {
                if (length < 8) break;
                cell.row = get16(d);
                cell.column = get16(d + 2);
                std::size_t count = get16(d + 6);
                if (!biff8_) {
                    if (count > length - 8u) count = length - 8u;
                    cell.unconvertible = !takeText(d + 8, count, false, capacity, cell.text);
                } else if (length >= 9) {
                    const bool wide = d[8] & 1;
                    const std::size_t room = length - 9u;
                    if ((wide ? count * 2 : count) > room) count = wide ? room / 2 : room;
                    cell.unconvertible = !takeText(d + 9, count, wide, capacity, cell.text);
                }
                cell.isText = true;
                return 0;
            }
            case 0x7E:
                if (length < 10) break;
                cell.row = get16(d);
                cell.column = get16(d + 2);
                cell.number = decodeRk(get32(d + 6));
                return 0;
            case 0xBD: {
                if (length < 12) break;
                const std::uint32_t first = get16(d + 2);
                const std::uint32_t last = get16(d + length - 2);
                const std::uint32_t held = (length - 6u) / 6u;
                if (last < first) break;
                multiple_.remaining = std::min(last - first + 1, held);
                multiple_.nextColumn = first;
                multiple_.row = get16(d);
                multiple_.lastColumn = last;
                multiple_.index = 0;
                multiple_.values = 4;
                continue;  // the first of them at once
            }
            case 0xFD:
                if (length < 10) break;
                cell.row = get16(d);
                cell.column = get16(d + 2);
                cell.unconvertible =
                    !strings_.lookup(get32(d + 6), capacity, converter_, cell.text);
                cell.isText = true;
                return 0;
            default:
                break;
        }
    }
}

int BiffStream::Create(const std::string& path, bool biff8) {
    Close(false);
    // {00020820-0000-0000-C000-000000000046} and {00020810-...}, as stored.
    platform::ClassId id = {0x20, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    if (!biff8) id[0] = 0x10;
    biff8_ = biff8;
    writer_ = std::make_unique<platform::CompoundWriter>();
    if (!writer_->create(path, id)) {
        writer_.reset();
        return -1;
    }
    if (!writer_->createStream(biff8 ? "Workbook" : "Book")) {
        writer_.reset();
        return -2;
    }
    return 0;
}

int BiffStream::WriteBytes(std::string_view records) {
    if (!writer_ || !writer_->write(records.data(), records.size())) return -1;
    return 0;
}

int BiffStream::WriteRecord(std::uint16_t type, std::uint16_t length, const void* data) {
    if (!writer_) return -1;
    std::uint8_t header[4];
    set16(header, type);
    set16(header + 2, length);
    if (!writer_->write(header, 4) || !writer_->write(data, length)) return -1;
    return 0;
}

void BiffStream::closeReader() {
    stream_.reset();
    storage_.close();
    sheets_.clear();
    strings_ = SharedStringTable{};
    multiple_ = MultipleCells{};
}

int BiffStream::Close(bool keep) {
    int result = -1;
    if (stream_ || storage_.isOpen()) {
        closeReader();
        result = 0;
    }
    if (writer_) {
        result = 0;
        if (keep) {
            if (!writer_->commit()) result = -5;
        } else {
            writer_->discard();
        }
        writer_.reset();
        sheets_.clear();
        strings_ = SharedStringTable{};
    }
    return result;
}

}  // namespace workbooks
