#include "host_standin/text_file.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "host_standin/store_error.h"

namespace standin {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(random());
    return temporary;
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) throw StoreError(path.string() + ": is a directory, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StoreError(path.string() + ": cannot open for reading");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw StoreError(path.string() + ": cannot read");
    return content.str();
}

void ReplaceTextFile(const std::filesystem::path& path, std::string_view content) {
    const std::filesystem::path temporary = TemporaryBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw StoreError(path.string() + ": cannot create " + temporary.string());
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw StoreError(path.string() + ": cannot write " + temporary.string());
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw StoreError(path.string() + ": cannot replace: " + renamed.message());
    }
}

}  // namespace standin
