#include "platform/profile_writer.h"

#include <cstdio>
#include <string_view>

#include "platform/files.h"
#include "profile_text.h"

namespace platform {
namespace {

using profile_text::equalsNoCase;
using profile_text::trim;

bool readWhole(const std::string& path, std::string& out) {
    std::FILE* f = openFile(path, "rb");
    if (!f) return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    std::fclose(f);
    return true;
}

}  // namespace

std::string profileAssign(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& value) {
    const std::string keyLine = key + "=" + value + "\r\n";
    std::string_view all(text);
    bool inSection = false;
    bool sectionSeen = false;
    std::size_t sectionEnd = std::string::npos;  // where a new key of the section goes
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? all.size() : end + 1;
        std::string_view line =
            trim(all.substr(pos, next - pos - (end == std::string_view::npos ? 0 : 1)));
        if (!line.empty() && line.front() == '[') {
            if (inSection) break;  // only the first section of a name counts
            std::size_t close = line.find(']');
            std::string_view name =
                trim(close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1));
            inSection = equalsNoCase(name, section);
            if (inSection) {
                sectionSeen = true;
                sectionEnd = next;
            }
        } else if (inSection) {
            if (!line.empty()) {
                std::size_t eq = line.find('=');
                std::string_view name =
                    trim(eq == std::string_view::npos ? line : line.substr(0, eq));
                if (equalsNoCase(name, key)) {
                    return text.substr(0, pos) + keyLine + text.substr(next);
                }
                sectionEnd = next;
            }
        }
        pos = next;
    }
    std::string result = text;
    if (sectionSeen) {
        std::string head = text.substr(0, sectionEnd);
        if (!head.empty() && head.back() != '\n') head += "\r\n";
        return head + keyLine + text.substr(sectionEnd);
    }
    if (!result.empty() && result.back() != '\n') result += "\r\n";
    result += "[" + section + "]\r\n" + keyLine;
    return result;
}

bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    std::string text;
    readWhole(path, text);
    const std::string updated = profileAssign(text, section, key, value);
    std::FILE* f = openFile(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(updated.data(), 1, updated.size(), f) == updated.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace platform
