#include <gtest/gtest.h>

#include <filesystem>

#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "host_standin/release_setup_data.h"
#include "model/setup_model.h"

namespace standin {
namespace {

const std::filesystem::path kExamples = std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples";

// The sample document class holds its links exactly as a save from the
// settings sheet writes them: loading them into the setup model and saving
// again gives the same links in the same order.
TEST(ExamplesTest, DocumentClassHoldsTheLinksAsASaveWritesThem) {
    const DocumentClass stored = LoadDocumentClass(kExamples / "supplier-invoice.json");
    auto host = MakeHostObject<ReleaseSetupData>(nullptr, stored, nullptr);
    kfx::ComPtr<kfx::IReleaseSetupData> setupData(host.Get());
    veldmark::SetupModel model(setupData);
    ASSERT_TRUE(model.BuildFieldCatalogue());
    model.LoadSetupProperties();
    ASSERT_TRUE(model.LoadLinks());
    ASSERT_TRUE(model.SaveLinks());
    ASSERT_EQ(host->Apply(), kfx::HR_S_OK);
    EXPECT_EQ(host->Committed().links, stored.links);
    for (const LinkRecord& link : stored.links) {
        if (link.sourceType != 0) continue;
        EXPECT_TRUE(std::any_of(stored.indexFields.begin(), stored.indexFields.end(),
                                [&](const IndexFieldRecord& field) { return field.name == link.source; }))
            << "a link names an undeclared index field";
    }
}

TEST(ExamplesTest, BatchBelongsToTheDocumentClass) {
    const DocumentClass documentClass = LoadDocumentClass(kExamples / "supplier-invoice.json");
    const Batch batch = LoadBatch(kExamples / "invoice-batch.json", documentClass);
    EXPECT_EQ(batch.documents.size(), 5u);
}

}  // namespace
}  // namespace standin
