// Reading a picture file whole, with the message the pupil sees when it cannot be read.
//
//   FullPathName("dris/7.jpg")   -> "/home/pupil/velmora/dris/7.jpg" (working folder /home/pupil/velmora)
//   FullPathName("dris/../x/")   -> "/home/pupil/velmora/x/"
//   ReadPictureFile("dris/99.jpg") throws EFOpenError
//       "Cannot open file "/home/pupil/velmora/dris/99.jpg". No such file or directory"
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The absolute path a name stands for at this moment: a relative name is joined to
// the current working folder, then "." and ".." segments and doubled slashes are
// resolved without looking at the disk. A trailing slash is kept.
std::string FullPathName(std::string_view name);

// Every byte of the named file. The name is resolved against the working folder at
// the moment of the call; the file is opened read-only and closed before returning.
// A folder or any other non-regular file is refused. Throws EFOpenError with
// "Cannot open file "<full path>". <system's reason>".
std::vector<unsigned char> ReadPictureFile(std::string_view name);
