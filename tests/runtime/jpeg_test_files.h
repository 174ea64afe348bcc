// Test pictures made at test time (the streams come from jpeg_streams.h), a scratch
// folder to put files in, and the message of an expected error.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

#include "tests/runtime/jpeg_streams.h"

namespace testpics {

// A folder of its own under the system's temporary folder, removed with everything
// in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        for (int attempt = 0; path_.empty(); ++attempt) {
            if (attempt == 100)
                throw std::runtime_error("cannot make a temporary folder");
            const auto folder = std::filesystem::temp_directory_path() / ("velmora-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(folder))
                path_ = std::filesystem::canonical(folder);
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes a file below the folder and returns its full path.
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) const
    {
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    std::filesystem::path path_;
};

// Makes a folder the working folder until the end of the scope.
class WorkingFolderScope {
public:
    explicit WorkingFolderScope(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolderScope()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingFolderScope(const WorkingFolderScope&) = delete;
    WorkingFolderScope& operator=(const WorkingFolderScope&) = delete;

private:
    std::filesystem::path previous_;
};

// A file's full path as messages show it: with backslashes and the drive on Windows.
inline std::string ShownPath(std::filesystem::path path)
{
    return path.make_preferred().string();
}

// The system's words for a missing folder, a missing file and a folder opened as a file.
#ifdef _WIN32
inline std::string SystemText(DWORD code)
{
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 255, nullptr);
    while (length > 0 && (static_cast<unsigned char>(text[length - 1]) <= 0x20 || text[length - 1] == '.'))
        --length;
    return std::string(text, length);
}
inline const std::string NoSuchFolder = SystemText(ERROR_PATH_NOT_FOUND);
inline const std::string NoSuchFile = SystemText(ERROR_FILE_NOT_FOUND);
inline const std::string IsAFolder = SystemText(ERROR_ACCESS_DENIED);
#else
inline const std::string NoSuchFolder = "No such file or directory";
inline const std::string NoSuchFile = NoSuchFolder;
inline const std::string IsAFolder = "Is a directory";
#endif

// The message of the error of the given kind that the action raises.
template <typename Error, typename Action>
std::string MessageOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.Message();
    }
    ADD_FAILURE() << "no error raised";
    return {};
}

} // namespace testpics
