#include "office_dictionary.h"

#include <platform/binary_file.h>

#include <cstring>

#include "office_names.h"

namespace keszip {
namespace {

using dic::getDword;
using dic::getWord;

bool parseOffices(const std::vector<unsigned char>& bytes, std::size_t count,
                  std::vector<OfficeRecord>& out) {
    // Every record takes at least its head, so a count beyond that is false.
    if (count > bytes.size() / dic::kOfficeHead) return false;
    out.assign(count, {});
    std::size_t pos = 0;
    for (auto& r : out) {
        if (bytes.size() - pos < dic::kOfficeHead) return false;
        const unsigned char* p = bytes.data() + pos;
        std::size_t lengths[4] = {p[10], p[11], p[14], p[15]};
        std::size_t size = dic::kOfficeHead + lengths[0] + lengths[1] + lengths[2] + lengths[3];
        if (bytes.size() - pos < size) return false;
        r.jisCode = getWord(p);
        r.oldCode = getDword(p + 2);
        r.code7 = getDword(p + 6);
        const char* text = reinterpret_cast<const char*>(p + dic::kOfficeHead);
        std::string* fields[4] = {&r.reading, &r.name, &r.town, &r.remark};
        for (int i = 0; i < 4; ++i) {
            fields[i]->assign(text, lengths[i]);
            text += lengths[i];
        }
        pos += size;
    }
    return true;
}

void prepareSearchForms(std::vector<OfficeRecord>& offices, const FoldSettings& settings) {
    CompanyWordList words(settings);
    for (auto& r : offices) {
        std::string name = prepareOfficeName(r.name, settings);
        std::string reading = prepareOfficeName(r.reading, settings);
        r.preparedEmpty = name.empty();
        r.nameShortened = applyCompanyWords(name, CompanyWords::shorten, words);
        r.nameRemoved = applyCompanyWords(name, CompanyWords::remove, words);
        r.readingShortened = applyCompanyWords(reading, CompanyWords::shorten, words);
        r.readingRemoved = applyCompanyWords(reading, CompanyWords::remove, words);
    }
}

}  // namespace

int loadOfficeDictionary(const std::string& path, const FoldSettings& settings,
                         OfficeDictionary& out) {
    out.clear();
    auto fail = [&out](int error) {
        out.clear();
        return error;
    };
    platform::BinaryFile file;
    if (!file.open(path)) return fail(2);
    if (file.read(out.header.data(), out.header.size()) != out.header.size()) return fail(11);
    if (std::memcmp(out.header.data(), dic::kOfficeSignature, sizeof dic::kOfficeSignature) != 0)
        return fail(-1);
    const unsigned char* h = out.header.data();
    std::uint64_t dataStart = dic::kOfficeHeaderSize;
    if (getWord(h + dic::kOfficeInfoFlag) == 1) {
        if (file.read(out.info.data(), dic::kInfoBlockSize) != dic::kInfoBlockSize) return fail(11);
        dataStart += dic::kInfoBlockSize;
    }
    const std::size_t bytes = getDword(h + dic::kOfficeBytes);
    std::uint64_t size = file.size();
    // A table larger than the file is refused before anything is allocated for it.
    if (size < dataStart || bytes > size - dataStart) return fail(12);
    std::vector<unsigned char> table(bytes);
    if (file.read(table.data(), bytes) != bytes ||
        !parseOffices(table, getDword(h + dic::kOfficeCount), out.offices))
        return fail(12);
    prepareSearchForms(out.offices, settings);
    out.open = true;
    return 0;
}

}  // namespace keszip
