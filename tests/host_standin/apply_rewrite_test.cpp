#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/kfx_types.h"
#include "host_standin/document_class_file.h"
#include "host_standin/release_setup_data.h"
#include "host_standin/text_file.h"
#include "store_samples.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

class ApplyRewriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = fs::path(::testing::TempDir()) /
                     ("apply-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        file_ = directory_ / "class.json";
        std::ofstream(file_, std::ios::binary) << samples::kDocumentClass;
    }
    void TearDown() override { fs::remove_all(directory_); }

    kfx::ComPtr<ReleaseSetupData> SetupDataWritingTo(const fs::path& target) {
        return MakeHostObject<ReleaseSetupData>(nullptr, LoadDocumentClass(file_),
                                                [target](const DocumentClass& edited) {
                                                    SaveDocumentClass(target, edited);
                                                });
    }

    std::vector<fs::path> DirectoryEntries() const {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(directory_)) entries.push_back(entry.path().filename());
        return entries;
    }

    fs::path directory_;
    fs::path file_;
};

TEST_F(ApplyRewriteTest, ApplyRewritesTheFileWithLinksAndNameAndItReloadsEqual) {
    auto data = SetupDataWritingTo(file_);
    kfx::ComPtr<kfx::ILinks> links;
    ASSERT_EQ(data->get_Links(links.Put()), kfx::HR_S_OK);
    ASSERT_EQ(links->RemoveAll(), kfx::HR_S_OK);
    ASSERT_EQ(links->Add(u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, u"OriginalFolder"), kfx::HR_S_OK);
    ASSERT_EQ(links->Add(u"ŻÓŁW", kfx::KFX_REL_TEXTCONSTANT, u"AIP32.INAM32"), kfx::HR_S_OK);
    ASSERT_EQ(data->put_Name(u"Renamed"), kfx::HR_S_OK);
    ASSERT_EQ(data->Apply(), kfx::HR_S_OK);

    const DocumentClass reloaded = LoadDocumentClass(file_);
    EXPECT_EQ(reloaded, data->Committed());
    EXPECT_EQ(reloaded.releaseScriptName, u"Renamed");
    EXPECT_EQ(reloaded.links, (std::vector<LinkRecord>{{u"OriginalFolder", 3, u"OriginalFolder"},
                                                       {u"ŻÓŁW", 1, u"AIP32.INAM32"}}));
    EXPECT_EQ(reloaded.indexFields.size(), 4u);  // the rest is kept
    EXPECT_EQ(DirectoryEntries(), std::vector<fs::path>{"class.json"}) << "a temporary file was left behind";
}

TEST_F(ApplyRewriteTest, AFailedRenameLeavesTheTargetAndNoTemporaryFile) {
    const fs::path blocked = directory_ / "blocked";
    fs::create_directories(blocked / "inside");  // a non-empty directory cannot be replaced by a file
    auto data = SetupDataWritingTo(blocked);
    ASSERT_EQ(data->put_Name(u"Renamed"), kfx::HR_S_OK);
    EXPECT_EQ(data->Apply(), kfx::HR_E_FAIL);
    EXPECT_EQ(data->ApplyFailure().rfind(blocked.string() + ": cannot replace: ", 0), 0u) << data->ApplyFailure();
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    std::vector<fs::path> entries = DirectoryEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<fs::path>{"blocked", "class.json"}));
    EXPECT_EQ(ReadTextFile(file_), samples::kDocumentClass);
}

TEST_F(ApplyRewriteTest, AnUnwritableDirectoryFailsApplyWithTheFileNamed) {
    const fs::path target = directory_ / "missing" / "class.json";
    auto data = SetupDataWritingTo(target);
    EXPECT_EQ(data->Apply(), kfx::HR_E_FAIL);
    EXPECT_EQ(data->ApplyFailure().rfind(target.string() + ": cannot create ", 0), 0u) << data->ApplyFailure();
    EXPECT_EQ(data->AppliedCount(), 0);
}

}  // namespace
}  // namespace standin
