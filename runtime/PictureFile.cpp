#include "runtime/PictureFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/Errors.h"

namespace {

std::string WorkingFolder()
{
    std::string folder(256, '\0');
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder;
}

// The system's text for an error code, without trailing blanks, control characters
// or periods, so the message reads "... No such file or directory".
std::string SystemReason(int error)
{
    std::string reason = std::strerror(error);
    while (!reason.empty()
           && (static_cast<unsigned char>(reason.back()) <= 0x20 || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

[[noreturn]] void CannotOpen(std::string_view name, int error)
{
    throw EFOpenError("Cannot open file \"" + FullPathName(name) + "\". " + SystemReason(error));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

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

std::vector<unsigned char> ReadPictureFile(std::string_view name)
{
    return ReadPictureFileUpTo(name, SIZE_MAX).Bytes;
}

PictureFileBytes ReadPictureFileUpTo(std::string_view name, std::size_t largest, const PictureFileReadOn& goOn)
{
    const std::string path(name);
    // Non-blocking, so that a named pipe given as a picture cannot hang the program
    // before it is refused below as not a regular file.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        CannotOpen(name, errno);

    struct stat status {};
    if (fstat(file.Get(), &status) != 0)
        CannotOpen(name, errno);
    if (S_ISDIR(status.st_mode))
        CannotOpen(name, EISDIR);
    if (!S_ISREG(status.st_mode))
        CannotOpen(name, EINVAL);

    const auto size = static_cast<std::size_t>(status.st_size);
    const bool tooLarge = size > largest;
    // A file may still grow while it is read: never take more than the limit allows.
    const std::size_t wanted = tooLarge ? std::min(largest, PictureFileHead) : largest;
    PictureFileBytes result;
    result.Bytes.reserve(std::min(size, wanted));
    unsigned char chunk[64 * 1024];
    for (;;) {
        const std::size_t room = wanted - std::min(wanted, result.Bytes.size());
        const ssize_t count = read(file.Get(), chunk, std::min(sizeof chunk, room == 0 ? std::size_t(1) : room));
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            CannotOpen(name, errno);
        }
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
