#include "office_names.h"

#include <utility>
#include <vector>

#include "fold.h"
#include "shift_jis_text.h"

namespace keszip {
namespace {

// Long and short forms of the company-type words, in the order they are tried.
const std::pair<const char*, const char*> kCompanyWords[] = {
    {"\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0", "\x87\x8A"},          // 株式会社 / ㈱
    {"(\x8A\x94)", "\x87\x8A"},                                // (株) / ㈱
    {"(\xB6)", "\x87\x8A"},                                    // (ｶ) / ㈱
    {"(\xD5)", "\x87\x8B"},                                    // (ﾕ) / ㈲
    {"\xB6\xCC\xDE\xBC\xB7\xB6\xB2\xBC\xD4", "\x87\x8A"},      // ｶﾌﾞｼｷｶｲｼﾔ / ㈱
    {"\xD5\xB3\xB9\xDE\xDD\xB6\xDE\xB2\xBC\xD4", "\x87\x8B"},  // ﾕｳｹﾞﾝｶﾞｲｼﾔ / ㈲
    {"\x97\x4C\x8C\xC0\x89\xEF\x8E\xD0", "\x87\x8B"},          // 有限会社 / ㈲
    {"(\x97\x4C)", "\x87\x8B"},                                // (有) / ㈲
    {"\x8A\x77\x8D\x5A\x96\x40\x90\x6C", "(\x8A\x77)"},        // 学校法人 / (学)
    {"\x8D\xE0\x92\x63\x96\x40\x90\x6C", "(\x8D\xE0)"},        // 財団法人 / (財)
    {"\x8E\xD0\x92\x63\x96\x40\x90\x6C", "(\x8E\xD0)"},        // 社団法人 / (社)
    {"\x87\x8A", "\x87\x8A"},                                  // ㈱ / ㈱
    {"\x87\x8B", "\x87\x8B"},                                  // ㈲ / ㈲
};

bool isBlank(std::string_view text, std::size_t i) {
    return text[i] == ' ' || text[i] == '_' ||
           (i + 1 < text.size() && text[i] == '\x81' && text[i + 1] == '\x40');
}

std::string removeBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool lead = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (isBlank(text, i)) {
            i += lead ? 2 : 1;
            continue;
        }
        out.append(text.substr(i, lead ? 2 : 1));
        i += lead ? 2 : 1;
    }
    return out;
}

}  // namespace

std::string prepareOfficeName(std::string_view text, const FoldSettings& settings) {
    return removeBlanks(foldOfficeText(removeBlanks(text), settings));
}

CompanyWordList::CompanyWordList(const FoldSettings& settings) {
    for (const auto& [longForm, shortForm] : kCompanyWords)
        words_.push_back(
            {prepareOfficeName(longForm, settings), prepareOfficeName(shortForm, settings)});
}

std::string applyCompanyWords(std::string_view prepared, CompanyWords direction,
                              const CompanyWordList& list) {
    std::string out;
    out.reserve(prepared.size());
    for (std::size_t i = 0; i < prepared.size();) {
        bool replaced = false;
        for (const auto& w : list.words()) {
            if (w.longForm.empty() || prepared.substr(i, w.longForm.size()) != w.longForm) continue;
            if (direction == CompanyWords::shorten) out += w.shortForm;
            i += w.longForm.size();
            replaced = true;
            break;
        }
        if (replaced) continue;
        std::size_t n =
            isLeadByte(static_cast<unsigned char>(prepared[i])) && i + 1 < prepared.size() ? 2 : 1;
        out.append(prepared.substr(i, n));
        i += n;
    }
    return out;
}

bool hasDoubleByte(std::string_view text) {
    for (char c : text)
        if (isLeadByte(static_cast<unsigned char>(c))) return true;
    return false;
}

}  // namespace keszip
