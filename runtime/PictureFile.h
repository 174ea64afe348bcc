// Reading a picture file whole, with the message the pupil sees when it cannot be read.
//
//   FullPathName("dris/7.jpg")   -> "/home/pupil/velmora/dris/7.jpg" (working folder /home/pupil/velmora)
//   FullPathName("dris/../x/")   -> "/home/pupil/velmora/x/"
//   ReadPictureFile("dris/99.jpg") throws EFOpenError
//       "Cannot open file "/home/pupil/velmora/dris/99.jpg". No such file or directory"
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The absolute path a name stands for at this moment: a relative name is joined to
// the current working folder, then "." and ".." segments and doubled slashes are
// resolved without looking at the disk. A trailing slash is kept. When the working
// folder has been deleted, it is joined by the path it had when last seen.
std::string FullPathName(std::string_view name);

// Notes the working folder's path, so that messages name it in full even after it has
// been deleted. Called once the program has settled in its folder at start-up.
void RememberWorkingFolder();

// Every byte of the named file. The name is resolved against the working folder at
// the moment of the call; the file is opened read-only and closed before returning.
// A folder or any other non-regular file is refused. Throws EFOpenError with
// "Cannot open file "<full path>". <system's reason>".
std::vector<unsigned char> ReadPictureFile(std::string_view name);

// A file read no further than its reader wants: all of it, or, when it holds more than
// `largest` bytes, only its first PictureFileHead bytes, enough for any header.
struct PictureFileBytes {
    std::vector<unsigned char> Bytes;
    bool Whole = true;
};
constexpr std::size_t PictureFileHead = std::size_t(256) << 10;

// As ReadPictureFile, but a file larger than `largest` is not read beyond its head, so a
// forged or runaway file of gigabytes costs neither the time nor the memory to read it.
// `goOn`, when given, sees the bytes read so far after each chunk; when it answers false
// reading stops there, as for a file too large.
using PictureFileReadOn = std::function<bool(const std::vector<unsigned char>& readSoFar)>;
PictureFileBytes ReadPictureFileUpTo(std::string_view name, std::size_t largest, const PictureFileReadOn& goOn = {});

// As ReadPictureFile, but a file larger than `largest` is refused before any of it is
// read: its Bytes are empty and it is not Whole.
PictureFileBytes ReadPictureFileWithin(std::string_view name, std::size_t largest);
