#include "shared_string_table.h"

#include <algorithm>

#include "biff_records.h"
#include "conversion/settings.h"
#include "platform/sjis_bytes.h"

namespace workbooks {
namespace {

// Walks the bytes of the string-table records in order.
class RecordCursor {
  public:
    RecordCursor(const std::vector<std::string>& records, std::size_t record, std::size_t pos)
        : records_(records), record_(record), pos_(pos) {}

    // True when the current record has no bytes left.
    bool recordEnded() const {
        return record_ >= records_.size() || pos_ >= records_[record_].size();
    }
    // Moves to the start of the next record; false when there is none.
    bool nextRecord() {
        if (record_ >= records_.size()) return false;
        ++record_;
        pos_ = 0;
        return record_ < records_.size();
    }
    std::size_t available() const { return recordEnded() ? 0 : records_[record_].size() - pos_; }
    bool byte(std::uint8_t& value) {
        while (recordEnded())
            if (!nextRecord()) return false;
        value = static_cast<std::uint8_t>(records_[record_][pos_++]);
        return true;
    }
    bool word(std::uint32_t& value, int bytes) {
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            std::uint8_t b;
            if (!byte(b)) return false;
            value |= static_cast<std::uint32_t>(b) << (8 * i);
        }
        return true;
    }
    bool skip(std::uint64_t count) {
        while (count > 0) {
            while (recordEnded())
                if (!nextRecord()) return false;
            const std::size_t step =
                static_cast<std::size_t>(std::min<std::uint64_t>(count, available()));
            pos_ += step;
            count -= step;
        }
        return true;
    }
    // Reads `count` characters; a CONTINUE record met in between starts with
    // a fresh option byte that sets the width of the rest.
    bool characters(std::uint32_t count, bool wide, std::u16string& out) {
        while (count > 0) {
            if (recordEnded()) {
                if (!nextRecord()) return false;
                std::uint8_t option;
                if (!byte(option)) return false;
                wide = (option & 1) != 0;
                continue;
            }
            const std::string& data = records_[record_];
            if (wide) {
                const std::size_t fit = std::min<std::size_t>(count, available() / 2);
                if (fit == 0) return false;  // half a character before the boundary
                for (std::size_t i = 0; i < fit; ++i, pos_ += 2)
                    out.push_back(static_cast<char16_t>(
                        get16(reinterpret_cast<const std::uint8_t*>(data.data()) + pos_)));
                count -= static_cast<std::uint32_t>(fit);
            } else {
                const std::size_t fit = std::min<std::size_t>(count, available());
                for (std::size_t i = 0; i < fit; ++i)
                    out.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(data[pos_++])));
                count -= static_cast<std::uint32_t>(fit);
            }
        }
        return true;
    }

  private:
    const std::vector<std::string>& records_;
    std::size_t record_;
    std::size_t pos_;
};

}  // namespace

void SharedStringTable::addRawRecord(std::string_view data) {
    if (raw_.empty() && data.size() >= 8) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(data.data());
        total_ = get32(p);
        unique_ = get32(p + 4);
    }
    raw_.emplace_back(data);
}

void SharedStringTable::decode(bool keepRaw) {
    chars_.clear();
    starts_.assign(1, 0);
    if (!raw_.empty() && raw_.front().size() >= 8) {
        RecordCursor cursor(raw_, 0, 8);
        std::u16string text;
        for (std::uint32_t i = 0; i < unique_; ++i) {
            std::uint32_t count, option, runs = 0, extension = 0;
            if (!cursor.word(count, 2) || (count & 0x8000) || !cursor.word(option, 1)) break;
            if ((option & 8) && !cursor.word(runs, 2)) break;
            if ((option & 4) && !cursor.word(extension, 4)) break;
            text.clear();
            const bool complete = cursor.characters(count, (option & 1) != 0, text);
            chars_ += text;
            starts_.push_back(static_cast<std::uint32_t>(chars_.size()));
            if (!complete || !cursor.skip(4ull * runs + extension)) break;
        }
    }
    if (!keepRaw) {
        raw_.clear();
        raw_.shrink_to_fit();
    }
    chars_.shrink_to_fit();
    starts_.shrink_to_fit();
}

std::u16string_view SharedStringTable::decoded(std::size_t index) const {
    if (index >= decodedCount() || index >= unique_) return {};
    return std::u16string_view(chars_).substr(starts_[index], starts_[index + 1] - starts_[index]);
}

bool SharedStringTable::lookup(std::uint32_t index, std::size_t capacity,
                               platform::Utf16Converter& converter, std::string& out) const {
    out.clear();
    const std::u16string_view text = decoded(index);
    if (text.empty() || capacity == 0) return true;
    const bool converted = converter.toSjis(text, out);
    if (out.size() > capacity - 1) out.resize(platform::cutSjis(out, capacity - 1).size());
    return converted;
}

std::size_t appendStringBody(std::string_view sjis, platform::Utf16Converter& converter,
                             std::string& out) {
    const bool ascii = std::all_of(sjis.begin(), sjis.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        out.push_back('\0');
        out.append(sjis);
        return sjis.size();
    }
    std::u16string wide;
    converter.toUtf16(sjis, wide);
    out.push_back('\1');
    for (char16_t c : wide) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return wide.size();
}

void SharedStringTable::flushPending() {
    if (pending_.empty()) return;
    raw_.push_back(std::move(pending_));
    pending_.clear();
}

std::uint32_t SharedStringTable::add(std::string_view sjis, platform::Utf16Converter& converter) {
    // At most 32767 bytes, never half a character.
    sjis = platform::cutSjis(sjis, 32767);
    if (raw_.empty() && pending_.empty()) pending_.assign(8, '\0');
    if (pending_.size() > kMaxRecordData - 16) flushPending();

    std::string body;
    const std::size_t count = appendStringBody(sjis, converter, body);
    const bool wide = body[0] == '\1';
    pending_.push_back(static_cast<char>(count & 0xFF));
    pending_.push_back(static_cast<char>(count >> 8));
    pending_.push_back(body[0]);
    std::size_t pos = 1;  // next character byte of `body`
    while (pos < body.size()) {
        std::size_t room = kMaxRecordData - pending_.size();
        if (wide) room &= ~static_cast<std::size_t>(1);
        const std::size_t take = std::min(room, body.size() - pos);
        pending_.append(body, pos, take);
        pos += take;
        if (pos < body.size()) {
            flushPending();
            pending_.push_back(body[0]);  // the continuation says its width again
        }
    }
    ++total_;
    return unique_++;
}

void SharedStringTable::finish() {
    flushPending();
    if (!raw_.empty() && raw_.front().size() >= 8) {
        auto* p = reinterpret_cast<std::uint8_t*>(raw_.front().data());
        set32(p, total_);
        set32(p + 4, unique_);
    }
}

std::uint64_t SharedStringTable::streamSize() const {
    std::uint64_t size = 0;
    for (const std::string& r : raw_) size += 4 + r.size();
    return size;
}

void SharedStringTable::copyFrom(SharedStringTable&& source) {
    raw_ = std::move(source.raw_);
    total_ = source.total_;
    unique_ = source.unique_;
    pending_.clear();
}

}  // namespace workbooks
