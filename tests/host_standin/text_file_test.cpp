#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "host_standin/store_error.h"
#include "host_standin/text_file.h"
#include "store_refusal.h"
#include "store_samples.h"

namespace standin {
namespace {

class TextFileTest : public ::testing::Test {
protected:
    TextFileTest() : directory_(std::filesystem::path(::testing::TempDir()) / "text-file-test") {
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
    }
    ~TextFileTest() override { std::filesystem::remove_all(directory_); }

    std::filesystem::path Write(const std::string& name, const std::string& content) const {
        std::ofstream(directory_ / name, std::ios::binary) << content;
        return directory_ / name;
    }

    std::filesystem::path directory_;
};

TEST_F(TextFileTest, ReadsUpToTheLimitAndRefusesOneByteMore) {
    const auto atLimit = Write("at-limit.json", std::string(100, 'x'));
    EXPECT_EQ(ReadTextFile(atLimit, 100), std::string(100, 'x'));
    const auto overLimit = Write("over-limit.json", std::string(101, 'x'));
    EXPECT_EQ(StoreRefusal([&] { ReadTextFile(overLimit, 100); }),
              overLimit.string() + ": is larger than 100 bytes, the limit for this kind of file");
    EXPECT_EQ(ReadTextFile(overLimit), std::string(101, 'x')) << "without a limit the whole file is read";
}

TEST_F(TextFileTest, RefusesADirectoryOrAMissingFile) {
    const struct {
        std::filesystem::path path;
        std::string message;
    } cases[] = {
        {directory_, directory_.string() + ": is a directory, not a file"},
        {directory_ / "missing.json", (directory_ / "missing.json").string() + ": cannot open for reading"},
    };
    for (const auto& refused : cases) {
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path, 1024); }), refused.message);
        EXPECT_EQ(StoreRefusal([&] { ReadTextFile(refused.path); }), refused.message) << "with no limit too";
    }
}

TEST_F(TextFileTest, TheStoreFilesHaveTheirLimits) {
    const auto bigClass = Write("class.json", std::string(kDocumentClassFileLimit + 1, ' '));
    EXPECT_EQ(StoreRefusal([&] { LoadDocumentClass(bigClass); }),
              bigClass.string() + ": is larger than 1 MiB, the limit for this kind of file");
    const DocumentClass documentClass = ParseDocumentClass(samples::kDocumentClass, "class.json");
    // Blanks after the sample keep it a valid batch up to the limit.
    std::string batch = samples::kBatch;
    batch.resize(kBatchFileLimit, ' ');
    const auto batchAtLimit = Write("batch.json", batch);
    EXPECT_EQ(LoadBatch(batchAtLimit, documentClass).documents.size(), 2u);
    const auto bigBatch = Write("big-batch.json", batch + " ");
    EXPECT_EQ(StoreRefusal([&] { LoadBatch(bigBatch, documentClass); }),
              bigBatch.string() + ": is larger than 16 MiB, the limit for this kind of file");
}

}  // namespace
}  // namespace standin
