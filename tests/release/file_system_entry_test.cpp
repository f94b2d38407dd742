#include "release/file_system_entry.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace veldmark {
namespace {

// A folder of its own under the system's temporary folder, removed again.
class FileSystemEntryTest : public ::testing::Test {
protected:
    FileSystemEntryTest()
        : folder_(std::filesystem::temp_directory_path() /
                  ("entry-test-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(folder_);
    }
    ~FileSystemEntryTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(LongForm(folder_), ignored);
    }

    // The path of a file in a subfolder of the test's folder whose name pads
    // the path to exactly `length` characters, the file created.
    std::filesystem::path FileWithPathOfLength(std::size_t length) {
        const std::size_t base = (folder_ / "f").u16string().size() + 1;  // a subfolder and its separator
        EXPECT_GT(length, base);
        const std::filesystem::path file = folder_ / std::string(length - base, 'd') / "f";
        EXPECT_EQ(file.u16string().size(), length);
        std::filesystem::create_directory(LongForm(file.parent_path()));
        std::ofstream(LongForm(file)) << "x";
        EXPECT_TRUE(std::filesystem::exists(LongForm(file)));
        return file;
    }

    // Where paths are limited in length, the platform's form that lifts the
    // limit; elsewhere the path as it is.
    static std::filesystem::path LongForm(const std::filesystem::path& path) {
        if (std::filesystem::path::preferred_separator != L'\\') return path;
        return std::filesystem::path(u"\\\\?\\" + path.u16string());
    }

    static kfx::Text Text(const std::filesystem::path& path) { return path.u16string(); }

    std::filesystem::path folder_;
};

TEST_F(FileSystemEntryTest, AFileAndAFolderExistAMissingEntryDoesNot) {
    const std::filesystem::path file = folder_ / "invoice.pdf";
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileSystemEntryExists(Text(file)));
    EXPECT_TRUE(FileSystemEntryExists(Text(folder_)));
    EXPECT_FALSE(FileSystemEntryExists(Text(folder_ / "missing.pdf")));
    EXPECT_FALSE(FileSystemEntryExists(Text(folder_ / "missing" / "invoice.pdf")));
}

TEST_F(FileSystemEntryTest, APathRelativeToTheCurrentFolderIsExpandedToItsFullForm) {
    std::ofstream(folder_ / "invoice.pdf") << "x";
    std::filesystem::create_directory(folder_ / "sub");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder_ / "sub");
    const bool found = FileSystemEntryExists(Text(std::filesystem::path("..") / "invoice.pdf"));
    const bool missing = FileSystemEntryExists(Text(std::filesystem::path("invoice.pdf")));
    std::filesystem::current_path(previous);
    EXPECT_TRUE(found);
    EXPECT_FALSE(missing);
}

TEST_F(FileSystemEntryTest, PathsOf260CharactersOrMoreNameNothing) {
    EXPECT_TRUE(FileSystemEntryExists(Text(FileWithPathOfLength(kMaxPathLength - 1))));
    EXPECT_FALSE(FileSystemEntryExists(Text(FileWithPathOfLength(kMaxPathLength))));
    EXPECT_FALSE(FileSystemEntryExists(Text(FileWithPathOfLength(kMaxPathLength + 1))));
}

TEST_F(FileSystemEntryTest, APathWithANulNamesNothing) {
    const std::filesystem::path file = folder_ / "invoice.pdf";
    std::ofstream(file) << "x";
    EXPECT_FALSE(FileSystemEntryExists(Text(file) + kfx::Text(1, u'\0') + u"more"));
}

}  // namespace
}  // namespace veldmark
