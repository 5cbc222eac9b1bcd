#include <keszip.h>

#include <array>

#include "address_engine.h"

namespace converter {
namespace {

// An engine handle of its own: all four results of a lookup in one call.
class HandleEngine final : public AddressEngine {
  public:
    explicit HandleEngine(KesZipHandle* handle) : handle_(handle) {}
    ~HandleEngine() override { KesZipDestroy(handle_); }
    HandleEngine(const HandleEngine&) = delete;
    HandleEngine& operator=(const HandleEngine&) = delete;

    bool open() override { return handle_ != nullptr; }
    int hyphenMode() override { return hyphen_; }
    void setHyphenMode(int mode) override { hyphen_ = mode; }
    EngineAnswer lookup(const std::string& address) override {
        KesZipAnswer found;
        EngineAnswer answer;
        answer.flags = KesZipLookup(handle_, address.c_str(), hyphen_ ? KESZIP_HYPHEN : 0, &found);
        answer.oldCode = found.oldCode;
        answer.code7 = found.code7;
        answer.addressNumber = found.addressNumber;
        jis_ = found.jisCode;
        return answer;
    }
    std::string jisCodeNow() override { return jis_; }

  private:
    KesZipHandle* handle_;
    int hyphen_ = 0;
    std::string jis_;
};

}  // namespace

bool KesZipEngine::open() { return KesZipOpen() != 0; }

int KesZipEngine::hyphenMode() { return GetHyphenMode(); }

void KesZipEngine::setHyphenMode(int mode) { SetHyphenMode(mode); }

EngineAnswer KesZipEngine::lookup(const std::string& address) {
    std::array<char, KESZIP_OLD_CODE_SIZE> oldCode{};
    std::array<char, KESZIP_CODE7_SIZE> code7{};
    std::array<char, KESZIP_ADDRESS_NUMBER_SIZE> addressNumber{};
    EngineAnswer answer;
    answer.flags = zelko57(address.c_str(), oldCode.data(), code7.data(), addressNumber.data());
    answer.oldCode = oldCode.data();
    answer.code7 = code7.data();
    answer.addressNumber = addressNumber.data();
    return answer;
}

std::string KesZipEngine::jisCodeNow() {
    std::array<char, KESZIP_JIS_CODE_SIZE> jis{};
    GetJisCodeNow(jis.data());
    return jis.data();
}

std::unique_ptr<AddressEngine> KesZipEngine::makeWorker() {
    // The dictionary the exports opened, found the same way.
    KesZipHandle* handle = KesZipCreate(nullptr, nullptr);
    if (!handle) return nullptr;
    return std::make_unique<HandleEngine>(handle);
}

std::vector<std::string> KesZipEngine::dictionaryFolders() {
    std::string text(static_cast<std::size_t>(KesZipDictionaryFolders(nullptr, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        KesZipDictionaryFolders(text.data(), static_cast<int>(text.size()))));
    std::vector<std::string> folders;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        folders.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

}  // namespace converter
