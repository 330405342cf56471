#include "platform/Profile.h"

#include "platform/ProfileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Settings files are a few hundred bytes; a larger one is read only this far,
// so that no file makes the start or a save slow or greedy.
constexpr std::size_t READ_LIMIT = std::size_t{1} << 20;
constexpr std::size_t COPY_CHUNK = std::size_t{64} << 10;
constexpr int MAX_LINKS = 40;
constexpr int MAX_TEMPORARY_NAMES = 100;
// The folders made for the settings are the player's own.
constexpr mode_t FOLDER_MODE = 0700;
constexpr mode_t NEW_FILE_MODE = 0666;
constexpr mode_t WRITE_BITS = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t PERMISSION_BITS = 07777;

std::string systemError() { return std::strerror(errno); }

// A file descriptor closed when it goes.
class FileHandle {
public:
    explicit FileHandle(int fd = -1) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    // Closes now, reporting a failure of the last delayed write.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens a regular file without waiting on a pipe or a device. The reason
// goes into problem when something is there that cannot serve.
std::optional<struct stat> openRegular(const std::string& path, int flags, FileHandle& file,
                                       std::string& problem) {
    FileHandle opened(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (opened.get() < 0) {
        if (errno != ENOENT) problem = systemError();
        return std::nullopt;
    }
    if (::fstat(opened.get(), &status) != 0) {
        problem = systemError();
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
        return std::nullopt;
    }
    std::swap(opened, file);
    return status;
}

// The first READ_LIMIT bytes of the file, in a buffer sized from what the
// file says of itself but never past the limit; whole tells whether that is
// all of it. A file that goes on is left positioned at the limit.
std::optional<std::string> readStart(int fd, off_t sizeHint, bool& whole) {
    // One byte past the limit shows whether the file goes on.
    constexpr std::size_t CAPACITY = READ_LIMIT + 1;
    std::string bytes(std::min(static_cast<std::size_t>(std::max<off_t>(sizeHint, 0)), READ_LIMIT) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got == CAPACITY) break;
            bytes.resize(std::min(got * 2, CAPACITY));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    whole = got <= READ_LIMIT;
    if (!whole && ::lseek(fd, static_cast<off_t>(READ_LIMIT), SEEK_SET) < 0) return std::nullopt;
    bytes.resize(std::min(got, READ_LIMIT));
    return bytes;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies the rest of a file from where it was read up to.
bool copyRest(int from, int to) {
    std::string chunk(COPY_CHUNK, '\0');
    for (;;) {
        const ssize_t n = ::read(from, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!writeAll(to, chunk.data(), static_cast<std::size_t>(n))) return false;
    }
}

// The file a chain of symbolic links ends at, which need not exist yet.
std::optional<fs::path> linkTarget(fs::path path) {
    for (int hop = 0; hop < MAX_LINKS; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Makes the missing folders above path; a failure shows when the file is created.
void makeFolders(const fs::path& path) {
    fs::path folder;
    for (const fs::path& part : path.parent_path()) {
        folder /= part;
        ::mkdir(folder.c_str(), FOLDER_MODE);
    }
}

// A new file beside target, named so that it clashes with nothing.
FileHandle createTemporary(const fs::path& target, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < MAX_TEMPORARY_NAMES; ++attempt) {
        name = target.string() + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".new";
        FileHandle file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (file.get() >= 0 || errno != EEXIST) return file;
    }
    return FileHandle();
}

bool holdsLineBreakOrNul(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

bool isBlankOnly(const std::string& text) { return text.find_first_not_of(" \t\v\f") == std::string::npos; }

bool canBeReadBack(const std::string& section, const std::string& key, const std::string& value) {
    const std::size_t keyStart = key.find_first_not_of(" \t\v\f");
    return !holdsLineBreakOrNul(section) && !holdsLineBreakOrNul(key) && !holdsLineBreakOrNul(value) &&
           !isBlankOnly(section) && !isBlankOnly(key) && section.find(']') == std::string::npos &&
           key.find('=') == std::string::npos && key[keyStart] != '[';
}

bool fail(std::string* failure, const std::string& reason) {
    if (failure) *failure = reason;
    return false;
}

}  // namespace

std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultText, std::size_t bufferSize,
                             const std::string& path) {
    if (bufferSize == 0) return {};
    std::string text = defaultText;
    FileHandle file;
    std::string problem;
    bool whole = false;
    if (const std::optional<struct stat> status = openRegular(path, O_RDONLY, file, problem)) {
        if (std::optional<std::string> bytes = readStart(file.get(), status->st_size, whole))
            text = ProfileText(std::move(*bytes), whole).value(section, key).value_or(defaultText);
    }
    if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
}

std::string profileFileProblem(const std::string& path) {
    FileHandle file;
    std::string problem;
    openRegular(path, O_RDONLY, file, problem);
    return problem;
}

bool writeProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& path, std::string* failure) {
    if (!canBeReadBack(section, key, value))
        return fail(failure, "A name or the value cannot be kept on one settings line");
    const std::optional<fs::path> target = linkTarget(path);
    if (!target) return fail(failure, systemError());
    makeFolders(*target);

    FileHandle old;
    std::string problem;
    const std::optional<struct stat> status = openRegular(target->string(), O_RDWR, old, problem);
    if (!problem.empty()) return fail(failure, problem);
    // Root may write anywhere, but a file marked read-only stays as it is.
    if (status && (status->st_mode & WRITE_BITS) == 0) return fail(failure, "The file is read-only");
    bool whole = true;
    std::string start;
    if (status) {
        std::optional<std::string> bytes = readStart(old.get(), status->st_size, whole);
        if (!bytes) return fail(failure, systemError());
        start = std::move(*bytes);
    }

    const std::string changed = ProfileText(start, whole).withValue(section, key, value);
    // The key must come back from the part of the file a reading looks at.
    const bool fitsWhole = whole && changed.size() <= READ_LIMIT;
    if (ProfileText(changed.substr(0, READ_LIMIT), fitsWhole).value(section, key) !=
        ProfileText(changed, true).value(section, key))
        return fail(failure, "The key would lie beyond the first MiB of a larger file");

    std::string temporaryName;
    FileHandle temporary = createTemporary(*target, status ? status->st_mode & PERMISSION_BITS : NEW_FILE_MODE,
                                           temporaryName);
    if (temporary.get() < 0) return fail(failure, systemError());
    if (status) {
        // Kept as the file was, whoever saves it; the owner stays when allowed.
        [[maybe_unused]] const int ownerKept = ::fchown(temporary.get(), status->st_uid, status->st_gid);
        ::fchmod(temporary.get(), status->st_mode & PERMISSION_BITS);
    }
    const bool written = writeAll(temporary.get(), changed.data(), changed.size()) &&
                         (whole || copyRest(old.get(), temporary.get())) && ::fsync(temporary.get()) == 0 &&
                         temporary.close() && ::rename(temporaryName.c_str(), target->c_str()) == 0;
    if (!written) {
        const std::string reason = systemError();
        ::unlink(temporaryName.c_str());
        return fail(failure, reason);
    }
    const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    FileHandle directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
    return true;
}
