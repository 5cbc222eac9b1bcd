#include <keszip.h>

#include <array>

#include "address_engine.h"

namespace converter {

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

}  // namespace converter
