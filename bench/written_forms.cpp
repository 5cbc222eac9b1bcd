#include "written_forms.h"

#include <platform/sjis.h>

#include <map>
#include <set>
#include <utility>

#include "shift_jis_text.h"

namespace bench {
namespace {

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

}  // namespace

std::vector<WrittenForm> writtenForms(const std::vector<RealTown>& towns,
                                      const std::vector<RealTown>& one) {
    const auto all = byMunicipality(towns);
    std::vector<WrittenForm> forms;
    forms.push_back(longerTownNames(one, all));
    return forms;
}

}  // namespace bench
