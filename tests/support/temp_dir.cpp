#include "temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace kelvo {

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    path_ = pattern;
}

TTempDir::~TTempDir() {
    // A test may have taken the folder's permissions away; it is removed all the same.
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TTempDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kelvo
