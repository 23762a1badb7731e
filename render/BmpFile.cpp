#include "render/BmpFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "model/Bmp32Layout.h"

namespace lumitag {
namespace {

namespace fs = std::filesystem;

void PutLE(char*& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) *out++ = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Closes a descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Where a chain of links ends, even when it ends at a file not yet written.
fs::path FollowLink(fs::path path)
{
    constexpr int kMaxHops = 40;  // the kernel's own bound for a path
    for (int hop = 0; hop < kMaxHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

fs::path TemporaryName(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    return target.parent_path() / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                                   std::to_string(counter++));
}

// Whether the regular file `target` (of `size` bytes) holds `bytes`; then its
// modification time is renewed, as a rewrite would.
bool RenewIfSame(const fs::path& target, off_t size, const QByteArray& bytes)
{
    if (size != bytes.size()) return false;
    Descriptor file{::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) return false;
    QByteArray old(bytes.size(), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < old.size()) {
        const ssize_t n = ::read(file.fd, old.data() + done, static_cast<std::size_t>(old.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return old == bytes && ::futimens(file.fd, nullptr) == 0;
}

bool ReplaceFile(const fs::path& path, const QByteArray& bytes)
{
    const fs::path target = FollowLink(path);
    mode_t mode = 0666;  // lowered by the umask for a new file
    bool exists = false;
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return false;
        // A send of an unchanged slot finds its file as it would write it:
        // reading it back costs far less than replacing it.
        if (RenewIfSame(target, info.st_size, bytes)) return true;
        mode = info.st_mode & 07777;
        exists = true;
    }
    fs::path temporary;
    Descriptor file{-1};
    for (int attempt = 0; attempt < 100 && file.fd < 0; ++attempt) {
        temporary = TemporaryName(target);
        file.fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (file.fd < 0 && errno != EEXIST) break;
    }
    if (file.fd < 0) return false;
    const bool written = (!exists || ::fchmod(file.fd, mode) == 0) &&
                         WriteAll(file.fd, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const int closed = ::close(file.fd);
    file.fd = -1;
    if (!written || closed != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

QByteArray EncodeBmp32(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    // The file size field has 32 bits: a larger picture has no BMP form.
    const std::optional<std::uint32_t> pixelBytes = Bmp32PixelBytes(width, height);
    if (image.isNull() || !pixelBytes) return {};

    QByteArray out(static_cast<qsizetype>(kBmp32HeaderBytes + *pixelBytes), Qt::Uninitialized);
    const auto header = Bmp32Header(width, height, *pixelBytes);
    std::memcpy(out.data(), header.data(), header.size());
    char* pixels = out.data() + kBmp32HeaderBytes;
    const std::size_t rowBytes = std::size_t{width} * 4;
    for (int y = image.height() - 1; y >= 0; --y, pixels += rowBytes) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if constexpr (std::endian::native == std::endian::little) {
            // A QRgb word in memory is already B G R A.
            std::memcpy(pixels, line, rowBytes);
        } else {
            char* out32 = pixels;
            for (std::uint32_t x = 0; x < width; ++x) PutLE(out32, line[x], 4);
        }
    }
    return out;
}

bool WriteBmp32(const QImage& image, const fs::path& path)
{
    const QByteArray bytes = EncodeBmp32(image);
    return !bytes.isEmpty() && ReplaceFile(path, bytes);
}

}  // namespace lumitag
