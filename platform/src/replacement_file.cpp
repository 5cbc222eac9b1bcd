#include "platform/replacement_file.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/file_identity.h"
#include "platform/files.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "windows/wide_text.h"
#else
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::removeTemporary() const {
#ifdef _WIN32
    _wremove(widePath(temporary_).c_str());
#else
    std::remove(temporary_.c_str());
#endif
}

bool ReplacementFile::open(const std::string& path) {
    discard();
    closeFailed_ = false;
    target_ = path;
    temporary_.clear();
    const PathKind kind = pathKind(path);
    const bool exists = kind != PathKind::Missing;
    if (kind == PathKind::Directory) return false;
    if (kind == PathKind::Other) {
        // A device or pipe cannot be replaced; it is written as it is.
        file_ = openFile(path, "wb");
        return file_ != nullptr;
    }
#ifdef _WIN32
    if (exists && _waccess(widePath(path).c_str(), 2) != 0) return false;
    temporary_ =
        folderOf(path) + "~" + nameOf(path) + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    file_ = openFile(temporary_, "wb");
#else
    struct stat st {};
    if (exists && stat(path.c_str(), &st) != 0) return false;
    if (exists) {
        if (isReadOnlyFile(path)) return false;
        // A link is followed, so that the link stays and its file changes.
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved)) target_ = resolved;
    }
    std::string pattern = folderOf(target_) + "." + nameOf(target_) + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    temporary_ = pattern;
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
        if (fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only the owner's rights can be kept; the file is still ours.
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0) {
        // The file keeps mkstemp's owner-only rights, which is safe.
    }
    file_ = fdopen(fd, "wb");
    if (!file_) ::close(fd);
#endif
    if (!file_) {
        removeTemporary();
        temporary_.clear();
        return false;
    }
    return true;
}

bool ReplacementFile::close() {
    if (!file_) return !closeFailed_;
    std::FILE* f = file_;
    file_ = nullptr;
    bool ok = std::fflush(f) == 0 && !std::ferror(f);
#ifndef _WIN32
    // The data reach the disk before the name changes hands.
    if (ok && !temporary_.empty() && fsync(fileno(f)) != 0) ok = false;
#endif
    if (std::fclose(f) != 0) ok = false;
    if (!ok) closeFailed_ = true;
    return ok;
}

bool ReplacementFile::commit() {
    const bool closed = close();
    if (temporary_.empty()) return closed && !target_.empty();
    if (!closed) {
        // Data that did not reach the disk whole never replace the old file.
        discard();
        target_.clear();
        return false;
    }
#ifdef _WIN32
    const bool moved = MoveFileExW(widePath(temporary_).c_str(), widePath(target_).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    const bool moved = std::rename(temporary_.c_str(), target_.c_str()) == 0;
#endif
    if (!moved) removeTemporary();
    temporary_.clear();
    target_.clear();
    return moved;
}

void ReplacementFile::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        removeTemporary();
        temporary_.clear();
    }
}

}  // namespace platform
