#include "zip_source.h"

#include <platform/binary_file.h>
#include <platform/files.h>
#include <zip.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "build_error.h"

namespace mkdic {

namespace {

// The local-header and empty-archive signatures every .zip starts with.
bool looksLikeZip(const std::string& head) {
    return head.size() >= 4 && head[0] == 'P' && head[1] == 'K' &&
           ((head[2] == '\x03' && head[3] == '\x04') || (head[2] == '\x05' && head[3] == '\x06'));
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

SourceFile readZipEntry(const std::string& path, std::initializer_list<const char*> entryNames) {
    int openError = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(path.c_str(), ZIP_RDONLY, &openError));
    if (!archive) {
        throw BuildError(path + ": not a readable zip archive (" + zipErrorText(openError) + ")");
    }
    zip_int64_t index = -1;
    std::string entryName;
    for (const char* name : entryNames) {
        entryName += std::string(entryName.empty() ? "" : " or ") + name;
        if (index < 0) index = zip_name_locate(archive.get(), name, ZIP_FL_NOCASE | ZIP_FL_NODIR);
    }
    if (index < 0) {
        std::string names;
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        for (zip_int64_t i = 0; i < count && i < 10; ++i) {
            const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
            names += std::string(names.empty() ? "" : ", ") + (name ? name : "?");
        }
        throw BuildError(path + ": the archive holds no entry " + entryName +
                         (names.empty() ? " (it is empty)" : " (it holds " + names + ")"));
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE)) {
        throw BuildError(path + ": cannot read the directory entry of " + entryName);
    }
    SourceFile source;
    source.name = stat.name ? stat.name : entryName;
    source.modified = (stat.valid & ZIP_STAT_MTIME) ? stat.mtime : std::time(nullptr);
    source.bytes.resize(static_cast<std::size_t>(stat.size));

    std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        throw BuildError(path + ": cannot open " + source.name + " (" +
                         zip_strerror(archive.get()) + ")");
    }
    zip_uint64_t done = 0;
    while (done < stat.size) {
        const zip_int64_t n = zip_fread(file.get(), source.bytes.data() + done, stat.size - done);
        if (n < 0) {
            throw BuildError(path + ": cannot decompress " + source.name + " (" +
                             zip_file_strerror(file.get()) + ")");
        }
        if (n == 0) break;
        done += static_cast<zip_uint64_t>(n);
    }
    if (done != stat.size) throw BuildError(path + ": " + source.name + " is truncated");
    return source;
}

std::time_t fileModified(const std::string& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(platform::fsPath(path), error);
    if (error) return std::time(nullptr);
    return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
}

}  // namespace

SourceFile readSourceFile(const std::string& path, const std::string& entryName) {
    return readSourceFile(path, {entryName.c_str()});
}

SourceFile readSourceFile(const std::string& path, std::initializer_list<const char*> entryNames) {
    std::string head(4, '\0');
    {
        platform::BinaryFile file;
        if (!file.open(path)) throw BuildError(path + ": cannot open the file");
        head.resize(file.read(head.data(), head.size()));
    }
    if (looksLikeZip(head)) return readZipEntry(path, entryNames);
    std::string bytes;
    if (!platform::readWholeFile(path, bytes)) throw BuildError(path + ": cannot read the file");
    return SourceFile{std::move(bytes), path, fileModified(path)};
}

}  // namespace mkdic
