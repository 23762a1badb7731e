#pragma once
// Whole-file reads with a size bound and atomic whole-file writes, with POSIX
// calls. Every file the program writes goes through WriteFileAtomically: a
// crash, a kill or a full disk mid-write leaves the old file whole.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace lumitag {

// Files larger than this are refused as unreadable: far beyond any file the
// program writes, small enough to keep a hostile file from exhausting memory.
inline constexpr std::uintmax_t kMaxReadBytes = 16u * 1024u * 1024u;

enum class FileStatus {
    Ok,
    OpenFailed,   // missing, no permission, ...
    NotAFile,     // a directory, FIFO, device or socket
    TooLarge,     // over the read bound
    ReadFailed,
    WriteFailed,  // creating or writing the temporary file
    CloseFailed,  // flushing or closing the temporary file
    RenameFailed, // replacing the target
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    int error = 0;  // errno of the failing call, 0 when none
    explicit operator bool() const { return status == FileStatus::Ok; }
};

// A readable sentence for logs and error texts, e.g. "too large (over 16 MiB)".
std::string Describe(const FileResult& result);

// Reads a whole regular file of at most `maxBytes` into `bytes`. Never
// blocks on a FIFO; `bytes` is left alone unless the read succeeds.
FileResult ReadFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                         std::uintmax_t maxBytes = kMaxReadBytes);

// Writes `bytes` to a new file in the target's folder, flushes it to disk and
// renames it over `path`. A symbolic link is followed, and an existing file
// keeps its permission bits. On any failure the temporary file is removed and
// the target is untouched. An existing non-regular file is never replaced.
// The temporary file is ".NAME.tmp-PID-N"; stale ones of processes that are
// gone are removed first (RemoveStaleTemporaryFiles).
FileResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Removes a file; a missing file is fine. Counts as a write for the fault
// switch below.
FileResult RemoveFile(const std::filesystem::path& path);

// Removes the temporary files ".NAME.tmp-PID-N" that a killed save left in
// `folder`: only names of that pattern, only regular files, only when no
// process PID exists any more. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

// An exclusive advisory lock (flock) on a folder, held for the whole
// read-modify-write of a file in it, so that two processes (or two threads)
// changing the program's files never lose each other's changes. Blocks until
// the lock is free. A thread that already holds the folder's lock takes it
// again at no cost, so locked steps can call each other. When the folder
// cannot be opened no lock is held (the write that follows fails anyway).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return held_; }

private:
    std::string key_;
    int fd_ = -1;
    bool held_ = false;
};

// Test hook: after `writes` more successful writes (WriteFileAtomically,
// RemoveFile) every later one fails without touching the disk, as if the
// process had been killed at that instant. A negative count lifts it.
void StopWritesAfter(int writes);

}  // namespace lumitag
