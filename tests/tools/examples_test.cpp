#include <gtest/gtest.h>

#include <filesystem>

#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "model/field_catalogue.h"
#include "model/setup_model.h"

namespace standin {
namespace {

const std::filesystem::path kExamples = std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples";

// The sample document class holds the links exactly as a save from the
// settings sheet writes them: mapped catalogue fields in slot order, the six
// settings, then the three fixed links.
TEST(ExamplesTest, DocumentClassHoldsTheLinksAsASaveWritesThem) {
    const DocumentClass documentClass = LoadDocumentClass(kExamples / "supplier-invoice.json");
    const std::vector<LinkRecord>& links = documentClass.links;
    const std::size_t fixed = veldmark::FixedLinks().size();
    ASSERT_GT(links.size(), veldmark::kSettingCount + fixed);
    const std::size_t mapped = links.size() - veldmark::kSettingCount - fixed;

    veldmark::FieldCatalogue catalogue;
    veldmark::BuildFieldCatalogue(catalogue);
    std::size_t previousSlot = 0;
    for (std::size_t i = 0; i < mapped; ++i) {
        const auto slot = veldmark::FindCatalogueSlot(catalogue, links[i].destination);
        ASSERT_TRUE(slot) << "links[" << i << "] names no catalogue field";
        EXPECT_TRUE(i == 0 || *slot > previousSlot) << "links[" << i << "] is out of slot order";
        previousSlot = *slot;
        if (links[i].sourceType == 0) {
            EXPECT_TRUE(std::any_of(documentClass.indexFields.begin(), documentClass.indexFields.end(),
                                    [&](const IndexFieldRecord& field) { return field.name == links[i].source; }))
                << "links[" << i << "] names an undeclared index field";
        }
    }
    for (std::size_t k = 0; k < veldmark::kSettingCount; ++k) {
        EXPECT_EQ(links[mapped + k].destination, veldmark::kSettingKeys[k]);
    }
    for (std::size_t k = 0; k < fixed; ++k) {
        const veldmark::FixedLink& expected = veldmark::FixedLinks()[k];
        EXPECT_EQ(links[mapped + veldmark::kSettingCount + k],
                  (LinkRecord{expected.source, expected.sourceType, expected.destination}));
    }
}

TEST(ExamplesTest, BatchBelongsToTheDocumentClass) {
    const DocumentClass documentClass = LoadDocumentClass(kExamples / "supplier-invoice.json");
    const Batch batch = LoadBatch(kExamples / "invoice-batch.json", documentClass);
    EXPECT_EQ(batch.documents.size(), 5u);
}

}  // namespace
}  // namespace standin
