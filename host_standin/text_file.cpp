#include "host_standin/text_file.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <random>
#include <system_error>

#include "host_standin/regular_file_reader.h"
#include "host_standin/store_error.h"

namespace standin {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp-" + std::to_string(random());
    return temporary;
}

// "16 MiB", "512 KiB", else in bytes.
std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kKiB = 1024;
    if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0) return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
    if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& path, std::optional<std::size_t> sizeLimit) {
    const std::unique_ptr<RegularFileReader> file = OpenRegularFile(path);
    const std::size_t mostToRead = sizeLimit ? *sizeLimit + 1 : std::numeric_limits<std::size_t>::max();
    std::string content;
    content.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file->SizeWhenOpened(), mostToRead)));
    char buffer[65536];
    while (content.size() < mostToRead) {
        const std::size_t got = file->Read(buffer, std::min(sizeof buffer, mostToRead - content.size()));
        if (got == 0) break;
        content.append(buffer, got);
    }
    if (sizeLimit && content.size() > *sizeLimit) {
        throw StoreError(path.string() + ": is larger than " + SizeText(*sizeLimit) +
                         ", the limit for this kind of file");
    }
    return content;
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
