#include "host/windows_api.h"

#include "host_standin/regular_file_reader.h"

#include <algorithm>

#include "host_standin/windows_files.h"

namespace standin {
namespace {

const char* KindOf(DWORD fileType) {
    switch (fileType) {
        case FILE_TYPE_CHAR:
            return "a character device";
        case FILE_TYPE_PIPE:
            return "a pipe";
        default:
            return "a special file";
    }
}

class WindowsRegularFileReader final : public RegularFileReader {
public:
    // Throws as OpenRegularFile does when the handle is no regular file.
    WindowsRegularFileReader(std::filesystem::path path, HANDLE file) : path_(std::move(path)), file_(file) {
        // Told before anything is read: a device or a pipe could be read for ever.
        if (const DWORD type = GetFileType(file); type != FILE_TYPE_DISK) throw IsNotARegularFile(path_, KindOf(type));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!GetFileInformationByHandle(file, &information)) throw CannotRead(path_, WindowsErrorText(GetLastError()));
        if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw IsADirectory(path_);
        size_ = (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    }

    std::uint64_t SizeWhenOpened() const override { return size_; }

    std::size_t Read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD)), &got, nullptr))
            throw CannotRead(path_, WindowsErrorText(GetLastError()));
        return got;
    }

private:
    std::filesystem::path path_;
    UniqueHandle file_;
    std::uint64_t size_ = 0;
};

}  // namespace

std::unique_ptr<RegularFileReader> OpenRegularFile(const std::filesystem::path& path) {
    // Backup semantics open a directory too, so that it is named as one.
    // Shared for writing and deleting, as a reader must not stand in the way
    // of a writer or of a replacement.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw CannotOpenForReading(path);
    return std::make_unique<WindowsRegularFileReader>(path, file);
}

}  // namespace standin
