#include "runtime/PictureFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "runtime/Errors.h"

namespace {

// The system's text for an error code without trailing blanks, control characters or
// periods, so the message reads "... No such file or directory".
std::string WithoutTrailingStops(std::string reason)
{
    while (!reason.empty()
           && (static_cast<unsigned char>(reason.back()) <= 0x20 || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

#ifdef _WIN32

// Names are UTF-8 in the program and wide on Windows, so a Cyrillic folder name works.
std::wstring Wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string Utf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

using SystemError = DWORD;

std::string SystemReason(SystemError error)
{
    wchar_t text[256] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 255, nullptr);
    if (length == 0)
        return "Error " + std::to_string(error);
    return WithoutTrailingStops(Utf8(std::wstring_view(text, length)));
}

#else

using SystemError = int;

std::string SystemReason(SystemError error)
{
    return WithoutTrailingStops(std::strerror(error));
}

// The working folder as last seen: a folder deleted while the program works in it has
// no path any more, but the pupil still knows it by the one it had.
std::string& KnownWorkingFolder()
{
    static std::string known;
    return known;
}

std::string WorkingFolder()
{
    std::string folder(256, '\0');
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return KnownWorkingFolder();
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    KnownWorkingFolder() = folder;
    return folder;
}

#endif

[[noreturn]] void CannotOpen(std::string_view name, SystemError error)
{
    throw EFOpenError("Cannot open file \"" + FullPathName(name) + "\". " + SystemReason(error));
}

#ifdef _WIN32

// A file opened for reading (binary: a handle has no text mode) that others may read but
// not write meanwhile. A folder, a device or a pipe is refused.
class PictureFileHandle {
public:
    explicit PictureFileHandle(std::string_view name)
        : handle_(CreateFileW(Wide(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        if (handle_ == INVALID_HANDLE_VALUE)
            CannotOpen(name, GetLastError());
        if (GetFileType(handle_) != FILE_TYPE_DISK)
            Refuse(name, ERROR_INVALID_PARAMETER);
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size))
            Refuse(name, GetLastError());
        size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~PictureFileHandle() { CloseHandle(handle_); }
    PictureFileHandle(const PictureFileHandle&) = delete;
    PictureFileHandle& operator=(const PictureFileHandle&) = delete;

    std::uint64_t Size() const { return size_; }

    // Bytes read into `into`, 0 at the end of the file; an error throws.
    std::size_t Read(std::string_view name, unsigned char* into, std::size_t count)
    {
        DWORD read = 0;
        if (!ReadFile(handle_, into, static_cast<DWORD>(count), &read, nullptr))
            CannotOpen(name, GetLastError());
        return read;
    }

private:
    // The constructor gives up: the destructor will not run, so close here.
    [[noreturn]] void Refuse(std::string_view name, DWORD error)
    {
        CloseHandle(handle_);
        CannotOpen(name, error);
    }

    HANDLE handle_;
    std::uint64_t size_ = 0;
};

#else

// A file opened read-only. Non-blocking, so that a named pipe given as a picture cannot
// hang the program before it is refused as not a regular file; a folder is refused too.
class PictureFileHandle {
public:
    explicit PictureFileHandle(std::string_view name)
        : fd_(open(std::string(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
        if (fd_ < 0)
            CannotOpen(name, errno);
        struct stat status {};
        if (fstat(fd_, &status) != 0)
            Refuse(name, errno);
        if (S_ISDIR(status.st_mode))
            Refuse(name, EISDIR);
        if (!S_ISREG(status.st_mode))
            Refuse(name, EINVAL);
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
    ~PictureFileHandle() { close(fd_); }
    PictureFileHandle(const PictureFileHandle&) = delete;
    PictureFileHandle& operator=(const PictureFileHandle&) = delete;

    std::uint64_t Size() const { return size_; }

    // Bytes read into `into`, 0 at the end of the file; an error throws.
    std::size_t Read(std::string_view name, unsigned char* into, std::size_t count)
    {
        for (;;) {
            const ssize_t read = ::read(fd_, into, count);
            if (read >= 0)
                return static_cast<std::size_t>(read);
            if (errno != EINTR)
                CannotOpen(name, errno);
        }
    }

private:
    // The constructor gives up: the destructor will not run, so close here.
    [[noreturn]] void Refuse(std::string_view name, int error)
    {
        close(fd_);
        CannotOpen(name, error);
    }

    int fd_;
    std::uint64_t size_ = 0;
};

#endif

} // namespace

#ifdef _WIN32

// The system's own expansion: the drive and working folder joined, "." and ".."
// resolved, forward slashes turned into backslashes.
std::string FullPathName(std::string_view name)
{
    const std::wstring wide = Wide(name);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::string(name);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return Utf8(full);
}

void RememberWorkingFolder()
{
    // The system keeps the working folder's path itself, and a folder in use cannot be
    // deleted.
}

#else

void RememberWorkingFolder()
{
    WorkingFolder();
}

std::string FullPathName(std::string_view name)
{
    std::string joined;
    if (name.empty() || name.front() != '/') {
        const std::string folder = WorkingFolder();
        if (!folder.empty())
            joined = folder + '/';
    }
    joined += name;

    std::vector<std::string_view> segments;
    std::string_view rest = joined;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (segment.empty() || segment == ".")
            continue;
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
            continue;
        }
        segments.push_back(segment);
    }

    const bool absolute = !joined.empty() && joined.front() == '/';
    std::string path = absolute ? "/" : "";
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0)
            path += '/';
        path += segments[i];
    }
    if (!name.empty() && name.back() == '/' && !segments.empty())
        path += '/';
    return path;
}

#endif

std::vector<unsigned char> ReadPictureFile(std::string_view name)
{
    return ReadPictureFileUpTo(name, SIZE_MAX).Bytes;
}

namespace {

// A file larger than `largest` is read no further than its first `head` bytes.
PictureFileBytes ReadUpTo(std::string_view name, std::size_t largest, std::size_t head, const PictureFileReadOn& goOn)
{
    PictureFileHandle file(name);
    const auto size = static_cast<std::size_t>(file.Size());
    const bool tooLarge = size > largest;
    PictureFileBytes result;
    if (tooLarge && head == 0) {
        result.Whole = false;
        return result;
    }
    // A file may still grow while it is read: never take more than the limit allows.
    const std::size_t wanted = tooLarge ? std::min(largest, head) : largest;
    result.Bytes.reserve(std::min(size, wanted));
    unsigned char chunk[64 * 1024];
    for (;;) {
        const std::size_t room = wanted - std::min(wanted, result.Bytes.size());
        const std::size_t count = file.Read(name, chunk, std::min(sizeof chunk, room == 0 ? std::size_t(1) : room));
        if (count == 0)
            break;
        if (room == 0) {
            result.Whole = false;
            break;
        }
        result.Bytes.insert(result.Bytes.end(), chunk, chunk + count);
        if (goOn && !goOn(result.Bytes)) {
            result.Whole = false;
            break;
        }
    }
    if (tooLarge)
        result.Whole = false;
    return result;
}

} // namespace

PictureFileBytes ReadPictureFileUpTo(std::string_view name, std::size_t largest, const PictureFileReadOn& goOn)
{
    return ReadUpTo(name, largest, PictureFileHead, goOn);
}

PictureFileBytes ReadPictureFileWithin(std::string_view name, std::size_t largest)
{
    return ReadUpTo(name, largest, 0, {});
}
