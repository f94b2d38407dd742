#include <gtest/gtest.h>

#include <sstream>

#include "host/kfx_types.h"
#include "host_standin/document_class_file.h"
#include "host_standin/text_file.h"
#include "tools/setup_command.h"
#include "fake_component.h"
#include "temporary_store.h"

namespace standin {
namespace {

using testing::FakeLoader;
using testing::FakeSetupScript;

constexpr const char* kDocumentClass = R"({
  "formatVersion": 1,
  "batchClassName": "AP Invoices",
  "documentClassName": "Supplier Invoice",
  "releaseScriptName": "Old Name",
  "indexFields": [{"name": "Invoice Number"}],
  "links": [{"source": "Invoice Number", "sourceType": 0, "destination": "AIP32.INVN32"}]
})";

// What a setup object does when the sheet is closed with OK.
void SaveAsOk(kfx::IReleaseSetupData* data) {
    kfx::ComPtr<kfx::ILinks> links;
    data->get_Links(links.Put());
    links->RemoveAll();
    links->Add(u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32");
    links->Add(u"APLIB", kfx::KFX_REL_TEXTCONSTANT, u"APILibrary");
    data->put_Name(u"Veldmark Export Connector for System21");
    data->Apply();
}

class SetupCommandTest : public ::testing::Test {
protected:
    int Setup(FakeSetupScript::RunBehaviour behaviour) {
        loader_.setupScript = [this, behaviour] { return new FakeSetupScript(calls_, behaviour); };
        return RunSetup(classFile_, loader_, {out_, err_, false});
    }

    testing::TemporaryStore store_;
    std::filesystem::path classFile_ = store_.Write("class.json", kDocumentClass);
    std::vector<std::string> calls_;
    FakeLoader loader_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(SetupCommandTest, ApplyRewritesTheFileAndReportsSaved) {
    EXPECT_EQ(Setup(SaveAsOk), 0);
    EXPECT_EQ(out_.str(), "saved\n");
    EXPECT_EQ(calls_, (std::vector<std::string>{"putref_SetupData", "OpenScript", "RunUI", "CloseScript"}));
    const DocumentClass saved = LoadDocumentClass(classFile_);
    EXPECT_EQ(saved.releaseScriptName, u"Veldmark Export Connector for System21");
    EXPECT_EQ(saved.links, (std::vector<LinkRecord>{{u"Invoice Number", 0, u"AIP32.INVN32"},
                                                    {u"APLIB", 1, u"APILibrary"}}));
}

TEST_F(SetupCommandTest, WithoutApplyTheFileStaysAsItWas) {
    EXPECT_EQ(Setup([](kfx::IReleaseSetupData* data) {
                  kfx::ComPtr<kfx::ILinks> links;
                  data->get_Links(links.Put());
                  links->RemoveAll();  // edited, then cancelled
              }),
              0);
    EXPECT_EQ(out_.str(), "cancelled\n");
    EXPECT_EQ(ReadTextFile(classFile_), kDocumentClass);
}

TEST_F(SetupCommandTest, AnApplyThatCannotWriteIsReportedAndChangesNothing) {
    EXPECT_EQ(Setup([this](kfx::IReleaseSetupData* data) {
                  // Something else takes the file's place: a directory cannot be replaced by a file.
                  std::filesystem::remove(classFile_);
                  std::filesystem::create_directories(classFile_ / "taken");
                  SaveAsOk(data);
              }),
              1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str().rfind("veldmark: the settings were not saved: " + classFile_.string() + ": cannot replace: ", 0),
              0u)
        << err_.str();
    EXPECT_TRUE(std::filesystem::is_directory(classFile_ / "taken"));
}

TEST_F(SetupCommandTest, ABadFileShowsNoSheet) {
    classFile_ = store_.Write("class.json", R"({"formatVersion": 1, "batchClassName": 3})");
    EXPECT_EQ(Setup(SaveAsOk), 2);
    EXPECT_EQ(err_.str(), "veldmark: " + classFile_.string() + ": batchClassName: expected a text, found a whole number\n");
    EXPECT_TRUE(calls_.empty());
}

TEST_F(SetupCommandTest, AMissingSetupObjectIsReported) {
    EXPECT_EQ(RunSetup(classFile_, loader_, {out_, err_, false}), 2);
    EXPECT_EQ(err_.str(), "veldmark: cannot create Kessarin.TarvelSetupScript: 0x80040111\n");
}

}  // namespace
}  // namespace standin
