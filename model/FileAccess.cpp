#include "model/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>

namespace lumitag {
namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result, which matters after a write.
    int Close()
    {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

FileResult Fail(FileStatus status, int error = errno) { return {status, error}; }

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::filesystem::path ResolveLink(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
    auto resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved;
}

std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++);
    return target.parent_path() / name;
}

void SyncFolder(const std::filesystem::path& folder)
{
    // Best effort: makes the rename itself durable where the file system allows.
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

std::atomic<int> gWritesLeft{-1};

// False when the fault switch says the process is "dead" by now.
bool MayWrite()
{
    int left = gWritesLeft.load();
    while (left > 0 && !gWritesLeft.compare_exchange_weak(left, left - 1)) {
    }
    return left != 0;
}

// The PID in a temporary name ".NAME.tmp-PID-N", or nothing for any other name.
std::optional<pid_t> TemporaryNamePid(std::string_view name)
{
    constexpr std::string_view kMarker = ".tmp-";
    if (name.size() < 2 || name[0] != '.') return std::nullopt;
    const auto at = name.rfind(kMarker);
    if (at == std::string_view::npos || at < 2) return std::nullopt;
    const std::string_view rest = name.substr(at + kMarker.size());
    const auto dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return std::nullopt;
    const auto allDigits = [](std::string_view digits) {
        return digits.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(rest.substr(0, dash)) || !allDigits(rest.substr(dash + 1))) return std::nullopt;
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + dash, pid);
    if (ec != std::errc{} || pid <= 0) return std::nullopt;
    return pid;
}

bool ProcessIsGone(pid_t pid) { return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH; }

// Folders whose lock this thread holds, with the depth of nesting.
thread_local std::map<std::string, int> tHeldLocks;

}  // namespace

void StopWritesAfter(int writes) { gWritesLeft = writes < 0 ? -1 : writes; }

int RemoveStaleTemporaryFiles(const std::filesystem::path& folder)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const auto pid = TemporaryNamePid(entry->d_name);
        if (!pid || !ProcessIsGone(*pid)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

FolderLock::FolderLock(const std::filesystem::path& folder)
    : key_(std::filesystem::absolute(folder.empty() ? "." : folder).lexically_normal().string())
{
    int& depth = tHeldLocks[key_];
    if (depth > 0) {
        ++depth;
        held_ = true;
        return;
    }
    fd_ = ::open(key_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        tHeldLocks.erase(key_);
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd_);
            fd_ = -1;
            tHeldLocks.erase(key_);
            return;
        }
    }
    depth = 1;
    held_ = true;
}

FolderLock::~FolderLock()
{
    if (!held_) return;
    const auto it = tHeldLocks.find(key_);
    if (it != tHeldLocks.end() && --it->second > 0) return;
    if (it != tHeldLocks.end()) tHeldLocks.erase(it);
    if (fd_ >= 0) ::close(fd_);  // closing the only descriptor releases the lock
}

FileResult RemoveFile(const std::filesystem::path& path)
{
    if (!MayWrite()) return Fail(FileStatus::WriteFailed, EIO);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Fail(FileStatus::WriteFailed);
    SyncFolder(path.parent_path());
    return {};
}

std::string Describe(const FileResult& result)
{
    std::string text;
    switch (result.status) {
    case FileStatus::Ok: return "ok";
    case FileStatus::OpenFailed: text = "cannot be opened"; break;
    case FileStatus::NotAFile: text = "is not a regular file"; break;
    case FileStatus::TooLarge: text = "is too large (over 16 MiB)"; break;
    case FileStatus::ReadFailed: text = "cannot be read"; break;
    case FileStatus::WriteFailed: text = "cannot be written"; break;
    case FileStatus::CloseFailed: text = "cannot be flushed to disk"; break;
    case FileStatus::RenameFailed: text = "cannot be replaced"; break;
    }
    if (result.error != 0) text += std::string(": ") + std::strerror(result.error);
    return text;
}

FileResult ReadFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                         std::uintmax_t maxBytes)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return Fail(FileStatus::OpenFailed);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return Fail(FileStatus::ReadFailed);
    if (!S_ISREG(info.st_mode)) return Fail(FileStatus::NotAFile, 0);
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return Fail(FileStatus::TooLarge, 0);

    std::vector<std::uint8_t> content(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    for (;;) {
        // The file may grow while it is read: read on until end of file, never past the bound.
        if (done == content.size()) {
            if (content.size() > maxBytes) return Fail(FileStatus::TooLarge, 0);
            content.resize(content.size() + 4096);
        }
        const ssize_t n = ::read(fd.get(), content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(FileStatus::ReadFailed);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done > maxBytes) return Fail(FileStatus::TooLarge, 0);
    content.resize(done);
    bytes = std::move(content);
    return {};
}

FileResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path target = ResolveLink(path);

    mode_t mode = 0666;  // lowered by the umask for a new file
    bool exists = false;
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return Fail(FileStatus::NotAFile, 0);
        mode = info.st_mode & 07777;
        exists = true;
    }

    if (!MayWrite()) return Fail(FileStatus::WriteFailed, EIO);
    RemoveStaleTemporaryFiles(target.parent_path());

    std::filesystem::path temporary;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        temporary = TemporaryName(target);
        fdNumber = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fdNumber < 0 && errno != EEXIST) break;
    }
    Descriptor fd(fdNumber);
    if (!fd.valid()) return Fail(FileStatus::WriteFailed);

    const auto abandon = [&](FileStatus status) {
        const int error = errno;
        if (fd.valid()) fd.Close();
        ::unlink(temporary.c_str());
        return Fail(status, error);
    };
    if (exists && ::fchmod(fd.get(), mode) != 0) return abandon(FileStatus::WriteFailed);
    if (!WriteAll(fd.get(), bytes)) return abandon(FileStatus::WriteFailed);
    if (::fsync(fd.get()) != 0) return abandon(FileStatus::CloseFailed);
    if (fd.Close() != 0) return abandon(FileStatus::CloseFailed);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon(FileStatus::RenameFailed);
    SyncFolder(target.parent_path());
    return {};
}

}  // namespace lumitag
