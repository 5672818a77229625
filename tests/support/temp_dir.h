// A fresh folder for the files of one test, benchmark or fuzz input.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvo {

// A new folder under the system's temporary folder, removed with everything in it when this
// goes. Throws std::system_error when it cannot be made.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path path_;
};

}  // namespace kelvo
