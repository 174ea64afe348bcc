// Test pictures made at test time (the streams come from jpeg_streams.h), a scratch
// folder to put files in, and the message of an expected error.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/runtime/jpeg_streams.h"

namespace testpics {

// A folder of its own under the system's temporary folder, removed with everything
// in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        path_ = std::filesystem::canonical(pattern);
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
