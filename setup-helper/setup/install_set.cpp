#include "install_set.h"

#include <platform/dynamic_library.h>
#include <platform/sjis.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "run_path.h"

namespace setup {

namespace fs = std::filesystem;

namespace {

const char* const kPrograms[] = {"keszip", "keszip-mkdic", "zelko7", "zelko7-setup"};
const char* const kLibraries[] = {"keszip", "kesbar", "custom"};
const char* const kDictionaries[] = {"KESZIP.DIC", "KESZIP.TBL", "KESZIP.PRM", "KESCMP.DIC",
                                     "KESTEL.DIC"};

std::optional<fs::path> firstExisting(const std::vector<fs::path>& folders,
                                      const std::string& name) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (fs::is_regular_file(folder / name, error)) return folder / name;
    }
    return std::nullopt;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

InstallSet findInstallSet(const fs::path& programFolder) {
    // Relative folders of an installed tree, from the program folder.
    const fs::path libraryFolder = programFolder / ZELKO7_SETUP_LIBRARY_FROM_PROGRAMS;
    const fs::path dataFolder = programFolder / ZELKO7_SETUP_DATA_FROM_PROGRAMS;
    const fs::path manualFolder = programFolder / ZELKO7_SETUP_MANUAL_FROM_PROGRAMS;
    InstallSet set;
    for (const char* program : kPrograms)
        if (auto path = firstExisting({programFolder}, program)) set.files.push_back(*path);
    for (const char* library : kLibraries)
        if (auto path = firstExisting({programFolder, libraryFolder},
                                      platform::sharedLibraryFileName(library)))
            set.files.push_back(*path);
    for (const char* dictionary : kDictionaries) {
        if (auto path = firstExisting({programFolder, dataFolder}, dictionary))
            set.files.push_back(*path);
        else
            set.missing.push_back(dictionary);
    }
    // The desktop program's manual page lies beside it, as it opens it from there.
    if (auto path = firstExisting({programFolder, manualFolder}, "zelko7.html"))
        set.files.push_back(*path);
    for (const fs::path& folder : {programFolder / "manual", manualFolder}) {
        std::error_code error;
        if (fs::is_directory(folder, error)) {
            set.manual = folder;
            break;
        }
    }
    return set;
}

bool copyInstallSet(const InstallSet& set, const fs::path& target,
                    const std::function<void(const std::string&)>& progress, std::string& error) {
    std::error_code code;
    fs::create_directories(target, code);
    if (code) {
        error = "cannot create " + target.string() + ": " + code.message();
        return false;
    }
    for (const fs::path& file : set.files) {
        if (progress) progress(file.filename().string());
        // Copying onto itself (installing into the folder we run from) is a no-op.
        if (fs::equivalent(file, target / file.filename(), code)) continue;
        fs::copy_file(file, target / file.filename(), fs::copy_options::overwrite_existing, code);
        if (code) {
            error = "cannot copy " + file.string() + ": " + code.message();
            return false;
        }
        // A copy finds its libraries beside itself only, wherever the
        // original looked.
        if (!keepRunPathBeside(target / file.filename(), error)) return false;
    }
    if (set.manual) {
        if (progress) progress("manual");
        fs::copy(*set.manual, target / "manual",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing, code);
        if (code) {
            error = "cannot copy the manual: " + code.message();
            return false;
        }
    }
    return true;
}

fs::path defaultTarget() {
    const std::string home = environment("HOME");
    return (home.empty() ? fs::current_path() : fs::path(home)) / "zelko7";
}

std::string dateStampParameter(const fs::path& target, const std::string& releaseTime) {
    std::string folder = fs::absolute(target).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (auto sjis = platform::utf8ToSjis(folder)) folder = *sjis;
    for (char& c : folder)
        if (c == '/') c = '\\';
    if (folder == "\\") folder.clear();
    return folder + "\\*.*/" + releaseTime + "/";
}

std::string desktopEntry(const fs::path& target) {
    const fs::path folder = fs::absolute(target).lexically_normal();
    std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Version=1.0\n"
        "Name=ZELKO7\n"
        "Comment=Postal codes for address lists\n"
        "Comment[ja]=住所録に郵便番号を付けます\n";
    // Quoted as the desktop entry format asks for arguments with blanks.
    std::string program = (folder / "zelko7").string();
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    entry += "Exec=" + quoted + "\n";
    entry += "Path=" + folder.string() + "\n";
    entry += "Terminal=false\nCategories=Office;\n";
    return entry;
}

bool writeDesktopEntry(const fs::path& target, std::string& error) {
    std::string dataHome = environment("XDG_DATA_HOME");
    if (dataHome.empty()) {
        const std::string home = environment("HOME");
        if (home.empty()) {
            error = "neither XDG_DATA_HOME nor HOME is set";
            return false;
        }
        dataHome = home + "/.local/share";
    }
    const fs::path folder = fs::path(dataHome) / "applications";
    std::error_code code;
    fs::create_directories(folder, code);
    std::ofstream out(folder / "zelko7.desktop", std::ios::binary | std::ios::trunc);
    out << desktopEntry(target);
    out.close();
    if (!out) {
        error = "cannot write " + (folder / "zelko7.desktop").string();
        return false;
    }
    return true;
}

}  // namespace setup
