#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TTempDir::~TTempDir() {
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

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

std::vector<std::string> CompletedLog(int initial, int reduced) {
    return {"Comienzo de la Reduccion...",
            "Analizando columnas...",
            "Fin de analisis de Columnas.",
            "Buscando las reductoras...",
            "Reductoras Buscadas.",
            "Fin de la Reduccion.",
            "------------------------",
            "Columnas Iniciales: " + std::to_string(initial),
            "Columnas en la reducida: " + std::to_string(reduced),
            "*****----HECHO--------*****"};
}
