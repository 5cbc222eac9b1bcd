#include "written_forms.h"

#include <platform/sjis.h>

#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "src/shift_jis_text.h"

namespace bench {
namespace {

// The Shift-JIS form of a literal, converted once.
const std::string& sj(const char* utf8) {
    static std::map<const char*, std::string> converted;
    auto it = converted.find(utf8);
    if (it == converted.end())
        it = converted.emplace(utf8, platform::utf8ToSjis(utf8).value_or("")).first;
    return it->second;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The towns of each municipality, by local-government code.
std::map<std::uint32_t, std::vector<const RealTown*>> byMunicipality(
    const std::vector<RealTown>& towns) {
    std::map<std::uint32_t, std::vector<const RealTown*>> out;
    for (const auto& t : towns) out[t.localCode].push_back(&t);
    return out;
}

// Towns without a note whose name has another town of the municipality as
// its beginning (八尾木北 beside 八尾木): the longer name written in full,
// alone and with a house number.
WrittenForm longerTownNames(const std::vector<RealTown>& one,
                            const std::map<std::uint32_t, std::vector<const RealTown*>>& all) {
    WrittenForm form{"longer town name written in full", {}};
    for (const auto& t : one) {
        const std::string name = t.baseName();
        if (name != t.townName) continue;
        bool prefixed = false;
        for (const RealTown* u : all.at(t.localCode)) {
            const std::string other = u->baseName();
            if (!u->generic() && !other.empty() && other.size() < name.size() &&
                startsWith(name, other))
                prefixed = true;
        }
        if (!prefixed) continue;
        form.cases.push_back({t.prefName + t.cityName + name, &t});
        form.cases.push_back({t.prefName + t.cityName + name + "1-8", &t});
    }
    return form;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The entries "<name>の次に番地がくる場合": a lot number right after the
// municipality or town name, alone and with a second number.
WrittenForm lotAfterName(const std::vector<RealTown>& towns) {
    WrittenForm form{"lot number right after the name", {}};
    const std::string rule = sj("の次に番地がくる場合");
    for (const auto& t : towns) {
        if (!endsWith(t.townName, rule)) continue;
        std::string name = t.townName.substr(0, t.townName.size() - rule.size());
        if (endsWith(t.cityName, name)) name.clear();  // the municipality itself
        for (const char* number : {"123", "123-4"})
            form.cases.push_back({t.prefName + t.cityName + name + number, &t});
    }
    return form;
}

// Towns listed by 丁目 or by 番地 (越ケ谷（丁目）, 越ケ谷（番地）), with the
// number written as lists write it: 5-2-5 for a 丁目, 123 and 123-4 for a
// lot.
WrittenForm numbersWithoutUnitWords(const std::vector<RealTown>& towns) {
    WrittenForm form{"chome or lot without its unit word", {}};
    const std::string chome = sj("（丁目）"), banchi = sj("（番地）");
    for (const auto& t : towns) {
        const std::string at = t.prefName + t.cityName + t.baseName();
        if (endsWith(t.townName, chome)) {
            form.cases.push_back({at + "5-2-5", &t});
        } else if (endsWith(t.townName, banchi)) {
            form.cases.push_back({at + "123", &t});
            form.cases.push_back({at + "123-4", &t});
        }
    }
    return form;
}

// Splits a Shift-JIS text at the full-width `mark`.
std::vector<std::string> splitAt(const std::string& text, const std::string& mark) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = keszip::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (text.compare(i, mark.size(), mark) == 0) {
            parts.emplace_back();
        } else {
            parts.back() += text.substr(i, n);
        }
        i += n;
    }
    return parts;
}

// A section name of a note: kanji and kana only, no number, range or rule.
bool sectionName(const std::string& name) {
    if (name.size() < 4) return false;  // single letters (ア, イ) list lots, not sections
    for (const char* word :
         {"０",   "１", "２", "３", "４", "５",     "６",   "７",   "８",   "９",
          "～",   "「", "」", "（", "）", "その他", "除く", "以外", "番地", "丁目",
          "地割", "字", "次", "、", "通", "全域",   "一円", "以上", "以下", "を含む"})
        if (keszip::containsText(name, sj(word))) return false;
    for (unsigned char c : name)
        if (c < 0x80) return false;
    return true;
}

// 字 before a section that a town's note names (石井（白鳥） written
// 石井字白鳥, 涌津（一ノ町、上原…） written 涌津字上原), and after a
// name ending in 町 or 村 before the rest of a town name (十文字町本町
// written 十文字町字本町), each with a lot number.
WrittenForm sectionMarks(const std::vector<RealTown>& towns, const std::vector<RealTown>& one) {
    WrittenForm form{"aza before a section or name", {}};
    const std::string open = sj("（"), close = sj("）"), comma = sj("、"), aza = sj("字");
    std::map<std::pair<std::uint32_t, std::string>, std::set<std::uint32_t>> codes;
    std::map<std::pair<std::uint32_t, std::string>, const RealTown*> named;
    for (const auto& t : towns) {
        const std::string base = t.baseName();
        // Kyoto's notes are street descriptions; a base with a list or a
        // number is not one name.
        if ((t.localCode >= 26101 && t.localCode <= 26111) || !sectionName(base)) continue;
        if (t.townName.size() <= base.size() + open.size() + close.size() ||
            !endsWith(t.townName, close))
            continue;
        const std::string note =
            t.townName.substr(base.size() + open.size(),
                              t.townName.size() - base.size() - open.size() - close.size());
        for (const auto& name : splitAt(note, comma)) {
            if (!sectionName(name)) continue;
            codes[{t.localCode, base + aza + name}].insert(t.code7);
            named[{t.localCode, base + aza + name}] = &t;
        }
    }
    for (const auto& [key, set] : codes) {
        if (set.size() != 1) continue;
        const RealTown& t = *named[key];
        form.cases.push_back({t.prefName + t.cityName + key.second + "12", &t});
    }
    for (const auto& t : one) {
        const std::string name = t.baseName();
        if (name != t.townName) continue;
        for (const char* suffix : {"町", "村"}) {
            const std::string word = sj(suffix);
            const std::size_t at = name.find(word);
            if (at == std::string::npos || at == 0 || at + word.size() >= name.size()) continue;
            if (keszip::isLeadByte(static_cast<unsigned char>(name[at - 1])) == false) continue;
            form.cases.push_back({t.prefName + t.cityName + name.substr(0, at + word.size()) + aza +
                                      name.substr(at + word.size()) + "12",
                                  &t});
            break;
        }
    }
    return form;
}

// A name without its last 町 or 村 (not the first character); empty when
// it has none.
std::string shortened(const std::string& name) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i + 1 < name.size();) {
        const std::size_t n = keszip::isLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1;
        const std::string c = name.substr(i, n);
        if (i > 0 && (c == sj("町") || c == sj("村"))) cut = i;
        i += n;
    }
    if (cut == std::string::npos) return std::string();
    // Not where the word is needed to read the name: after ケ or ヶ, which
    // folding drops before 町, or after a number or unit word (一番町).
    std::size_t before = 0;
    for (std::size_t i = 0; i < cut;)
        i += keszip::isLeadByte(static_cast<unsigned char>(name[before = i])) ? 2 : 1;
    const std::string c = name.substr(before, cut - before);
    // Kana before the word fold together with it (つつじ町, すずかけ町).
    const auto lead = static_cast<unsigned char>(c[0]), trail = static_cast<unsigned char>(c[1]);
    if (c.size() == 2 && ((lead == 0x82 && trail >= 0x9F) || lead == 0x83)) return std::string();
    for (const char* word :
         {"ケ", "ヶ", "カ", "ガ", "が", "一", "二", "三", "四", "五", "六", "七", "八",
          "九", "十", "百", "千", "拾", "壱", "弐", "参", "番", "丁", "条", "線", "号"})
        if (c == sj(word)) return std::string();
    for (const char* word :
         {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９", "丁", "条"})
        if (keszip::containsText(name, sj(word))) return std::string();
    return name.substr(0, cut) + name.substr(cut + 2);
}

// Towns without a note written without the 町 or 村 of their name (仙川 for
// 仙川町, 山本南 for 山本町南), where no other town of the municipality has
// that name or that shortened name.
WrittenForm withoutTheirSuffix(const std::vector<RealTown>& one,
                               const std::map<std::uint32_t, std::vector<const RealTown*>>& all) {
    WrittenForm form{"town without its machi or mura", {}};
    // の, ノ and 之 read the same.
    auto same = [](std::string text) {
        for (const char* no : {"ノ", "之"}) {
            const std::string from = sj(no), to = sj("の");
            for (std::size_t at; (at = text.find(from)) != std::string::npos;)
                text.replace(at, from.size(), to);
        }
        return text;
    };
    // Per municipality, each town's name and shortened name, compared below.
    std::map<std::uint32_t, std::vector<std::pair<std::string, std::string>>> names;
    for (const auto& [code, list] : all)
        for (const RealTown* u : list)
            names[code].push_back({same(u->baseName()), same(shortened(u->baseName()))});
    for (const auto& t : one) {
        if (t.localCode >= 26101 && t.localCode <= 26111) continue;  // Kyoto's street names
        const std::string name = t.baseName();
        const std::string short_ = same(shortened(name));
        if (name != t.townName || short_.empty()) continue;
        bool alone = true;
        const auto& list = all.at(t.localCode);
        const auto& named = names.at(t.localCode);
        for (std::size_t k = 0; k < list.size() && alone; ++k) {
            if (list[k]->code7 == t.code7) continue;
            if (startsWith(named[k].first, short_) || named[k].second == short_) alone = false;
        }
        if (alone) form.cases.push_back({t.prefName + t.cityName + short_ + "1-2", &t});
    }
    return form;
}

// Towns whose name is written in kana and read as another town of the
// municipality is (たけくま beside 武隈), written as Japan Post writes them.
WrittenForm kanaNames(const std::vector<RealTown>& one,
                      const std::map<std::uint32_t, std::vector<const RealTown*>>& all) {
    WrittenForm form{"kana name read as another town", {}};
    for (const auto& t : one) {
        const std::string name = t.baseName();
        bool kana = !name.empty();
        for (std::size_t i = 0; kana && i + 1 < name.size(); i += 2) {
            const auto lead = static_cast<unsigned char>(name[i]);
            const auto trail = static_cast<unsigned char>(name[i + 1]);
            kana =
                (lead == 0x82 && trail >= 0x9F) || lead == 0x83 || (lead == 0x81 && trail == 0x5B);
        }
        if (!kana || name.size() % 2 != 0) continue;
        bool shared = false;
        for (const RealTown* u : all.at(t.localCode))
            shared = shared || (u->code7 != t.code7 && u->baseReading() == t.baseReading());
        if (!shared) continue;
        form.cases.push_back({t.prefName + t.cityName + name, &t});
        form.cases.push_back({t.prefName + t.cityName + name + "2-4", &t});
    }
    return form;
}

// Every 97th town with what lists write around an address: its postal code
// before it (with 〒, with a blank), quotes or brackets around it, a note in
// parentheses before it.
WrittenForm surroundedAddresses(const std::vector<RealTown>& one) {
    WrittenForm form{"postal code, quotes or note around", {}};
    for (std::size_t i = 0; i < one.size(); i += 97) {
        const RealTown& t = one[i];
        const std::string address = t.prefName + t.cityName + t.baseName() + "1-2";
        char code[16];
        std::snprintf(code, sizeof code, "%03u-%04u", t.code7 / 10000, t.code7 % 10000);
        for (const std::string& text :
             {sj("〒") + code + address, std::string(code) + " " + address,
              sj("「") + address + sj("」"), "\"" + address + "\"", sj("（前期）") + address,
              sj("（注）『") + code + sj("　") + address + sj("』")})
            form.cases.push_back({text, &t});
    }
    return form;
}

// Towns without a note whose name ends in a kanji digit (政和第二), with a
// lot number in digits right after the name, also after 字.
WrittenForm kanjiDigitBeforeLot(const std::vector<RealTown>& one) {
    WrittenForm form{"kanji digit before a lot number", {}};
    for (const auto& t : one) {
        const std::string name = t.baseName();
        if (name != t.townName || name.size() < 4) continue;
        const std::string last = name.substr(name.size() - 2);
        bool digit = false;
        for (const char* kanji : {"一", "二", "三", "四", "五", "六", "七", "八", "九"})
            digit = digit || last == sj(kanji);
        if (!digit ||
            keszip::isLeadByte(static_cast<unsigned char>(name[name.size() - 3])) == false)
            continue;
        form.cases.push_back({t.prefName + t.cityName + name + "6119" + sj("番地の1"), &t});
        form.cases.push_back({t.prefName + t.cityName + name + "6119-1", &t});
        form.cases.push_back(
            {t.prefName + t.cityName + sj("字") + name + "6119" + sj("番地の1"), &t});
    }
    return form;
}

// The floors of high-rise buildings (丸の内新丸の内ビルディング（５階）),
// written with a house number before the building's name and the floor
// after it.
WrittenForm buildingFloors(const std::vector<RealTown>& towns) {
    WrittenForm form{"building floor, whole name", {}};
    const std::string open = sj("（"), floor = sj("階）");
    const char* const digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    for (const auto& t : towns) {
        if (!endsWith(t.townName, floor)) continue;
        const std::string base = t.baseName();
        std::string number = t.townName.substr(base.size() + open.size());
        number.resize(number.size() - floor.size());
        std::string ascii;
        for (std::size_t i = 0; i + 1 < number.size(); i += 2)
            for (int d = 0; d < 10; ++d)
                if (number.compare(i, 2, sj(digits[d])) == 0) ascii += static_cast<char>('0' + d);
        if (ascii.empty() || ascii.size() * 2 != number.size()) continue;
        form.cases.push_back({t.prefName + t.cityName + base + ascii + sj("階"), &t});
    }
    return form;
}

// Replaces the first `from` in `text` by `to`.
std::string replacedOnce(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// A street description of a Kyoto note: street, cross street and direction
// (寺町通三条下る, 三条通白川橋下る東入), ending in its direction.
bool streetDescription(const std::string& text) {
    if (!keszip::containsText(text, sj("通")) && !keszip::containsText(text, sj("筋")))
        return false;
    for (const char* end : {"上る", "下る", "東入", "西入"})
        if (endsWith(text, sj(end))) return true;
    return false;
}

// The same description with its street word and direction written as other
// lists write them: 通り, 上ル, 下がる, 西入ル, 東入る.
std::string otherWriting(const std::string& description, std::size_t which) {
    std::string text = description;
    switch (which % 4) {
        case 1:
            text = replacedOnce(replacedOnce(text, sj("上る"), sj("上ル")), sj("下る"), sj("下ル"));
            text = replacedOnce(replacedOnce(text, sj("東入"), sj("東入ル")), sj("西入"),
                                sj("西入ル"));
            break;
        case 2:
            text = replacedOnce(replacedOnce(text, sj("上る"), sj("上がる")), sj("下る"),
                                sj("下がる"));
            text = replacedOnce(text, sj("通"), sj("通り"));
            break;
        case 3:
            text = replacedOnce(replacedOnce(text, sj("東入"), sj("東入る")), sj("西入"),
                                sj("西入る"));
            text = replacedOnce(text, sj("通"), sj("通り"));
            break;
        default:
            break;
    }
    return text;
}

// Kyoto addresses as lists write them: a street description, the town's name
// and a lot number (寺町通三条下る永楽町33番地). The town is the one named
// after the last direction, whichever town the dictionary lists the
// description for: each town name of a ward that stands for one code is
// written after a description of another town; each description a town's
// entry lists is written before that town's name, when that name and
// description give one code. The descriptions are written in four ways.
WrittenForm kyotoStreets(const std::vector<RealTown>& towns) {
    WrittenForm form{"Kyoto street description", {}};
    const std::string open = sj("（"), close = sj("）"), comma = sj("、");
    std::map<std::uint32_t, std::vector<const RealTown*>> wards;
    for (const auto& t : towns)
        if (t.localCode >= 26101 && t.localCode <= 26111 && !t.generic())
            wards[t.localCode].push_back(&t);
    std::size_t written = 0;
    for (const auto& [code, list] : wards) {
        std::map<std::string, std::set<std::uint32_t>> codesOfName;
        std::map<std::pair<std::string, std::string>, std::set<std::uint32_t>> codesOfPair;
        std::vector<std::pair<const RealTown*, std::string>> described;
        for (const RealTown* t : list) {
            const std::string base = t->baseName();
            codesOfName[base].insert(t->code7);
            if (t->townName.size() <= base.size() + open.size()) continue;
            std::string note = t->townName.substr(base.size() + open.size());
            if (endsWith(note, close)) note.resize(note.size() - close.size());
            for (const auto& d : splitAt(note, comma)) {
                if (!streetDescription(d)) continue;
                codesOfPair[{base, d}].insert(t->code7);
                described.push_back({t, d});
            }
        }
        if (described.empty()) continue;
        const RealTown& first = *list.front();
        const std::string at = first.prefName + first.cityName;
        for (const auto& [t, d] : described)
            if (codesOfPair[{t->baseName(), d}].size() == 1)
                form.cases.push_back(
                    {at + otherWriting(d, written++) + t->baseName() + "33" + sj("番地"), t});
        std::size_t k = 0;
        for (const RealTown* t : list) {
            const std::string base = t->baseName();
            if (base != t->townName || codesOfName[base].size() != 1 || base.size() < 4) continue;
            // A description of another town, taken in turn.
            for (std::size_t tries = 0; tries < described.size(); ++tries) {
                const auto& [other, d] = described[k++ % described.size()];
                if (other->baseName() == base) continue;
                form.cases.push_back({at + otherWriting(d, written++) + base + "33", t});
                break;
            }
        }
    }
    return form;
}

// Offset of the first `kanji` in `name` that does not follow a kana (a
// ｶ, ｹ or ｶﾞ before a kanji folds away, but not before its variant), or
// npos.
std::size_t kanjiAt(const std::string& name, const std::string& kanji) {
    bool afterKana = false;
    for (std::size_t i = 0; i + 1 < name.size();) {
        const auto b = static_cast<unsigned char>(name[i]);
        const auto t = static_cast<unsigned char>(name[i + 1]);
        const bool lead = keszip::isLeadByte(b);
        if (lead && !afterKana && name.compare(i, kanji.size(), kanji) == 0) return i;
        afterKana = lead ? (b == 0x82 && t >= 0x9F) || b == 0x83 : b >= 0xA1 && b <= 0xDF;
        i += lead ? 2 : 1;
    }
    return std::string::npos;
}

// `name` with its first variant kanji written in its pair's form (須恵 for
// Japan Post's 須惠), or else, with `either`, its first form written as the
// pair's variant (螢池 for 蛍池); empty when it has none.
std::string otherForm(const std::string& name,
                      const std::vector<keszip::SubstitutionPair>& variants, bool either) {
    for (bool reverse : {false, true}) {
        if (reverse && !either) break;
        for (const auto& pair : variants) {
            if (pair.key.size() != 2 || pair.value.size() != 2) continue;
            const std::string& from = reverse ? pair.value : pair.key;
            const std::size_t at = kanjiAt(name, from);
            if (at == std::string::npos) continue;
            std::string out = name;
            out.replace(at, from.size(), reverse ? pair.key : pair.value);
            return out;
        }
    }
    return std::string();
}

// Towns whose name, or whose municipality's name, holds a kanji that the
// dictionary's variant pairs fold (須惠町), written with the pair's other
// form; and every 25th town whose name holds a form that a pair folds to
// (蛍池), written with the variant.
WrittenForm variantKanji(const std::vector<RealTown>& one,
                         const std::vector<keszip::SubstitutionPair>& variants) {
    WrittenForm form{"variant kanji written another way", {}};
    for (std::size_t i = 0; i < one.size(); ++i) {
        const RealTown& t = one[i];
        const bool either = i % 25 == 0;
        const std::string town = otherForm(t.baseName(), variants, either);
        if (!town.empty()) form.cases.push_back({t.prefName + t.cityName + town + "1", &t});
        const std::string city = otherForm(t.cityName, variants, either);
        if (!city.empty()) form.cases.push_back({t.prefName + city + t.baseName() + "1", &t});
    }
    return form;
}

}  // namespace

std::vector<WrittenForm> writtenForms(const std::vector<RealTown>& towns,
                                      const std::vector<RealTown>& one,
                                      const std::vector<keszip::SubstitutionPair>& variants) {
    const auto all = byMunicipality(towns);
    std::vector<WrittenForm> forms;
    forms.push_back(lotAfterName(towns));
    forms.push_back(longerTownNames(one, all));
    forms.push_back(numbersWithoutUnitWords(towns));
    forms.push_back(sectionMarks(towns, one));
    forms.push_back(withoutTheirSuffix(one, all));
    forms.push_back(kanaNames(one, all));
    forms.push_back(surroundedAddresses(one));
    forms.push_back(kanjiDigitBeforeLot(one));
    forms.push_back(buildingFloors(towns));
    forms.push_back(kyotoStreets(towns));
    if (!variants.empty()) forms.push_back(variantKanji(one, variants));
    return forms;
}

}  // namespace bench
