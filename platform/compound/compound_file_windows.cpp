// Compound files on Windows: ole32's structured storage. The files are the
// same container as on the other systems; either side reads what the other
// wrote.
#include <windows.h>
// (after windows.h, whose types it needs)
#include <objbase.h>

#include <cstring>

#include "platform/compound_file.h"
#include "platform/replacement_file.h"
#include "windows/wide_text.h"

namespace platform {
namespace {

template <typename T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// COM for the calling thread, once; a thread that already has it keeps it.
void initialiseCom() {
    thread_local const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)result;
}

class StorageStream final : public CompoundStream {
  public:
    explicit StorageStream(IStream* stream) : stream_(stream) {
        STATSTG stat{};
        if (SUCCEEDED(stream_->Stat(&stat, STATFLAG_NONAME))) size_ = stat.cbSize.QuadPart;
    }
    ~StorageStream() override { release(stream_); }
    std::size_t read(void* buffer, std::size_t size) override {
        std::size_t total = 0;
        auto* bytes = static_cast<unsigned char*>(buffer);
        while (total < size) {
            const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(size - total, 1u << 30));
            ULONG got = 0;
            if (FAILED(stream_->Read(bytes + total, chunk, &got)) || got == 0) break;
            total += got;
            position_ += got;
        }
        return total;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > size_) return false;
        LARGE_INTEGER move{};
        move.QuadPart = static_cast<LONGLONG>(offset);
        if (FAILED(stream_->Seek(move, STREAM_SEEK_SET, nullptr))) return false;
        position_ = offset;
        return true;
    }
    std::uint64_t tell() const override { return position_; }
    std::uint64_t size() const override { return size_; }

  private:
    IStream* stream_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

}  // namespace

struct CompoundReader::State {
    IStorage* storage = nullptr;
    ILockBytes* memory = nullptr;
    ~State() {
        release(storage);
        release(memory);
    }
};

CompoundReader::CompoundReader() = default;
CompoundReader::~CompoundReader() = default;

bool CompoundReader::openInput(void* input) {
    state_.reset(static_cast<State*>(input));
    if (!state_->storage) state_.reset();
    return isOpen();
}

bool CompoundReader::open(const std::string& path) {
    close();
    if (path.empty()) return false;
    initialiseCom();
    auto state = std::make_unique<State>();
    const std::wstring wide = widePath(path);
    if (FAILED(StgOpenStorage(wide.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                              &state->storage)))
        return false;
    return openInput(state.release());
}

bool CompoundReader::openMemory(const void* data, std::size_t size) {
    close();
    initialiseCom();
    auto state = std::make_unique<State>();
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!global) return false;
    if (void* target = GlobalLock(global)) {
        if (size) std::memcpy(target, data, size);
        GlobalUnlock(global);
    }
    if (FAILED(CreateILockBytesOnHGlobal(global, TRUE, &state->memory))) {
        GlobalFree(global);
        return false;
    }
    ULARGE_INTEGER length{};
    length.QuadPart = size;
    state->memory->SetSize(length);
    if (FAILED(StgOpenStorageOnILockBytes(state->memory, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                          nullptr, 0, &state->storage)))
        return false;
    return openInput(state.release());
}

bool CompoundReader::isOpen() const { return state_ && state_->storage; }

std::unique_ptr<CompoundStream> CompoundReader::openStream(const char* name) {
    if (!isOpen() || !name) return nullptr;
    // Only streams: a storage of the same name is not a workbook.
    IStream* stream = nullptr;
    const std::wstring wide = widePath(name);
    if (FAILED(state_->storage->OpenStream(wide.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                           0, &stream)))
        return nullptr;
    return std::make_unique<StorageStream>(stream);
}

void CompoundReader::close() { state_.reset(); }

struct CompoundWriter::State {
    ReplacementFile file;
    IStorage* storage = nullptr;
    IStream* stream = nullptr;
    bool failed = false;

    bool closeAll() {
        bool ok = !failed;
        release(stream);
        if (storage) {
            if (FAILED(storage->Commit(STGC_DEFAULT))) ok = false;
            release(storage);
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
    initialiseCom();
    auto state = std::make_unique<State>();
    // The file is written beside its name and moved into place at commit;
    // the storage writes it through a handle of its own.
    if (path.empty() || !state->file.open(path) || !state->file.close()) return false;
    const std::wstring wide = widePath(state->file.writingPath());
    if (FAILED(StgCreateDocfile(wide.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                0, &state->storage)))
        return false;
    CLSID clsid;
    static_assert(sizeof clsid == sizeof(ClassId));
    std::memcpy(&clsid, classId.data(), sizeof clsid);
    if (FAILED(state->storage->SetClass(clsid))) return false;
    state_ = std::move(state);
    return true;
}

bool CompoundWriter::createStream(const char* name) {
    if (!state_ || !name) return false;
    release(state_->stream);
    const std::wstring wide = widePath(name);
    if (FAILED(state_->storage->CreateStream(
            wide.c_str(), STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &state_->stream)))
        return false;
    return true;
}

bool CompoundWriter::write(const void* data, std::size_t size) {
    if (!state_ || !state_->stream) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(size, 1u << 30));
        ULONG written = 0;
        if (FAILED(state_->stream->Write(bytes, chunk, &written)) || written != chunk) {
            state_->failed = true;
            return false;
        }
        bytes += chunk;
        size -= chunk;
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
