#include "no_dictionary.h"

#include <keszip.h>

#include <cstdio>
#include <string>

namespace cli {

void reportNoDictionary(const char* files, int error) {
    std::fprintf(stderr, "keszip: %s could not be opened (error %d); looked in:\n", files, error);
    std::string folders(static_cast<std::size_t>(KesZipDictionaryFolders(nullptr, 0)) + 1, '\0');
    folders.resize(static_cast<std::size_t>(
        KesZipDictionaryFolders(folders.data(), static_cast<int>(folders.size()))));
    std::size_t start = 0;
    while (start < folders.size()) {
        std::size_t end = folders.find('\n', start);
        if (end == std::string::npos) end = folders.size();
        std::fprintf(stderr, "  %s\n", folders.substr(start, end - start).c_str());
        start = end + 1;
    }
    std::fprintf(stderr,
                 "(set KESZIP_DICTIONARY_DIR to the folder that holds the dictionary files)\n");
}

}  // namespace cli
