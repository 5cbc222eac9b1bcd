#include "text_file.h"

#include <platform/file_identity.h>
#include <platform/files.h>

namespace converter {
namespace {

// A source is read by one thread only: bytes come without taking the
// stream's lock each time.
int readByte(std::FILE* file) { return platform::nextByte(file); }

}  // namespace

bool TextSource::open(const std::string& path, std::string_view skipping) {
    // A folder opens for reading on some systems but has no records.
    if (platform::isDirectory(path)) return false;
    file_.reset(platform::openFile(path, "rb"));
    if (!file_) return false;
    if (std::fseek(file_.get(), 0, SEEK_END) == 0) {
        long size = std::ftell(file_.get());
        size_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    }
    std::rewind(file_.get());
    if (!skipping.empty()) {
        std::string head(skipping.size(), '\0');
        if (std::fread(head.data(), 1, head.size(), file_.get()) == head.size() && head == skipping)
            consumed_ = head.size();
        else
            std::rewind(file_.get());
    }
    return true;
}

int TextSource::nextByte() {
    if (unread_ >= 0) {
        int c = unread_;
        unread_ = -1;
        return c;
    }
    if (ended_) return EOF;
    int c;
    if (pending_ >= 0) {
        c = pending_;
        pending_ = -1;
    } else {
        c = readByte(file_.get());
        if (c != EOF) ++consumed_;
    }
    if (c == 0x1A || c == EOF) {
        ended_ = true;
        return EOF;
    }
    if (c == '\r') {
        int next = readByte(file_.get());
        if (next == '\n') {
            ++consumed_;
            return '\n';
        }
        if (next != EOF) {
            ++consumed_;
            pending_ = next;
        }
    }
    return c;
}

bool TextSource::readRecord(std::size_t maxBytes, std::string& out, bool lineRecords) {
    out.clear();
    while (out.size() < maxBytes) {
        int c = nextByte();
        if (c == EOF) return !out.empty();
        out.push_back(static_cast<char>(c));
        if (c == '\n') return true;
    }
    if (lineRecords && !out.empty()) {
        int c = nextByte();
        if (c == '\n')
            out.push_back('\n');
        else if (c != EOF)
            unread_ = c;
    }
    return !out.empty();
}

double TextSource::fraction() const {
    if (size_ == 0) return 1.0;
    return static_cast<double>(consumed_) / static_cast<double>(size_);
}

bool TextSink::open(const std::string& path) {
    failed_ = false;
    opened_ = file_.open(path);
    return opened_;
}

bool TextSink::write(std::string_view text) {
    std::FILE* file = file_.stream();
    if (!file || failed_) return false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (end > start && std::fwrite(text.data() + start, 1, end - start, file) != end - start)
            failed_ = true;
        if (lf != std::string_view::npos && std::fwrite("\r\n", 1, 2, file) != 2) failed_ = true;
        start = lf == std::string_view::npos ? text.size() : lf + 1;
    }
    if (std::ferror(file)) failed_ = true;
    return !failed_;
}

bool TextSink::close() {
    if (!file_.close()) failed_ = true;
    return !failed_;
}

void TextSink::discard() {
    file_.discard();
    opened_ = false;
}

bool TextSink::commit() {
    if (!opened_) return !failed_;
    opened_ = false;
    if (failed_) {
        // A file that misses some of its data never takes the old one's place.
        file_.discard();
        return false;
    }
    if (!file_.commit()) failed_ = true;
    return !failed_;
}

}  // namespace converter
