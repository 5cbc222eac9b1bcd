#include "platform/compound_file.h"

#include <gsf/gsf.h>

#include <cstdio>
#include <mutex>

#include "platform/replacement_file.h"

namespace platform {
namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

template <typename T>
void release(T*& object) {
    if (object) g_object_unref(object);
    object = nullptr;
}

class GsfStream final : public CompoundStream {
  public:
    explicit GsfStream(GsfInput* input) : input_(input) {}
    ~GsfStream() override { release(input_); }
    std::size_t read(void* buffer, std::size_t size) override {
        const gsf_off_t left = gsf_input_remaining(input_);
        if (left <= 0 || size == 0) return 0;
        const std::size_t n =
            static_cast<std::uint64_t>(left) < size ? static_cast<std::size_t>(left) : size;
        if (!gsf_input_read(input_, n, static_cast<guint8*>(buffer))) return 0;
        return n;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > size()) return false;
        // gsf_input_seek answers TRUE on failure.
        return !gsf_input_seek(input_, static_cast<gsf_off_t>(offset), G_SEEK_SET);
    }
    std::uint64_t tell() const override {
        return static_cast<std::uint64_t>(gsf_input_tell(input_));
    }
    std::uint64_t size() const override {
        return static_cast<std::uint64_t>(gsf_input_size(input_));
    }

  private:
    GsfInput* input_;
};

}  // namespace

struct CompoundReader::State {
    GsfInfile* storage = nullptr;
    ~State() { release(storage); }
};

CompoundReader::CompoundReader() = default;
CompoundReader::~CompoundReader() = default;

bool CompoundReader::openInput(void* input) {
    if (!input) return false;
    state_ = std::make_unique<State>();
    state_->storage = gsf_infile_msole_new(static_cast<GsfInput*>(input), nullptr);
    g_object_unref(input);
    if (!state_->storage) state_.reset();
    return isOpen();
}

bool CompoundReader::open(const std::string& path) {
    close();
    initialiseOnce();
    if (path.empty()) return false;
    return openInput(gsf_input_stdio_new(path.c_str(), nullptr));
}

bool CompoundReader::openMemory(const void* data, std::size_t size) {
    close();
    initialiseOnce();
    return openInput(gsf_input_memory_new(static_cast<const guint8*>(data),
                                          static_cast<gsf_off_t>(size), FALSE));
}

bool CompoundReader::isOpen() const { return state_ && state_->storage; }

std::unique_ptr<CompoundStream> CompoundReader::openStream(const char* name) {
    if (!isOpen()) return nullptr;
    GsfInput* child = gsf_infile_child_by_name(state_->storage, name);
    // Only streams: a storage of the same name is not a workbook.
    if (!child) return nullptr;
    if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {
        g_object_unref(child);
        return nullptr;
    }
    return std::make_unique<GsfStream>(child);
}

void CompoundReader::close() { state_.reset(); }

struct CompoundWriter::State {
    ReplacementFile file;
    GsfOutput* sink = nullptr;
    GsfOutfile* storage = nullptr;
    GsfOutput* stream = nullptr;
    bool failed = false;

    // Closes the storage; true when every close succeeded.
    bool closeAll() {
        bool ok = !failed;
        if (stream) {
            if (!gsf_output_close(stream)) ok = false;
            release(stream);
        }
        if (storage) {
            if (!gsf_output_close(GSF_OUTPUT(storage))) ok = false;
            release(storage);
        }
        if (sink) {
            // Closing the storage usually closes its file as well.
            if (!gsf_output_is_closed(sink) && !gsf_output_close(sink)) ok = false;
            release(sink);
        }
        return ok;
    }
    ~State() { closeAll(); }  // `file` then discards what was not committed
};

CompoundWriter::CompoundWriter() = default;
CompoundWriter::~CompoundWriter() = default;

bool CompoundWriter::isOpen() const { return state_ != nullptr; }

bool CompoundWriter::create(const std::string& path, const ClassId& classId) {
    discard();
    initialiseOnce();
    auto state = std::make_unique<State>();
    // The file is written beside its name and moved into place at commit.
    if (path.empty() || !state->file.open(path)) return false;
    state->sink =
        gsf_output_stdio_new_FILE(state->file.writingPath().c_str(), state->file.stream(), TRUE);
    if (!state->sink) return false;
    state->storage = gsf_outfile_msole_new(state->sink);
    if (!state->storage) return false;
    if (!gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(state->storage), classId.data()))
        return false;
    state_ = std::move(state);
    return true;
}

bool CompoundWriter::createStream(const char* name) {
    if (!state_) return false;
    if (state_->stream) {
        if (!gsf_output_close(state_->stream)) state_->failed = true;
        release(state_->stream);
    }
    state_->stream = gsf_outfile_new_child(state_->storage, name, FALSE);
    return state_->stream != nullptr;
}

bool CompoundWriter::write(const void* data, std::size_t size) {
    if (!state_ || !state_->stream) return false;
    if (size == 0) return true;
    if (!gsf_output_write(state_->stream, size, static_cast<const guint8*>(data))) {
        state_->failed = true;
        return false;
    }
    return true;
}

bool CompoundWriter::commit() {
    if (!state_) return false;
    bool ok = state_->closeAll();
    if (ok)
        ok = state_->file.commit();
    else
        state_->file.discard();
    state_.reset();
    return ok;
}

void CompoundWriter::discard() { state_.reset(); }

}  // namespace platform
