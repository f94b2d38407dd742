#include <gtest/gtest.h>

#include "host/kfx_types.h"
#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "host_standin/link_resolver.h"
#include "store_samples.h"

namespace standin {
namespace {

class LinkResolverTest : public ::testing::Test {
protected:
    ResolvedValue Resolve(const kfx::Text& source, std::int32_t sourceType, std::size_t document = 0) {
        return ResolveLink({source, sourceType, u"DEST"}, documentClass_, batch_, batch_.documents[document], context_);
    }

    DocumentClass documentClass_ = ParseDocumentClass(samples::kDocumentClass, "class.json");
    Batch batch_ = ParseBatch(samples::kBatch, "batch.json", documentClass_);
    ReleaseContext context_{u"2026-03-14"};
};

struct SingleCase {
    const char16_t* source;
    std::int32_t sourceType;
    std::size_t document;
    const char16_t* expected;
};

TEST_F(LinkResolverTest, EverySourceTypeGivesItsText) {
    const SingleCase cases[] = {
        {u"Supplier", kfx::KFX_REL_INDEXFIELD, 0, u"Łódź Metal"},
        {u"Supplier", kfx::KFX_REL_INDEXFIELD, 1, u""},  // the document has no text for it
        {u"Not A Field", kfx::KFX_REL_INDEXFIELD, 0, u""},
        {u"sqlite:elsewhere", kfx::KFX_REL_TEXTCONSTANT, 0, u"sqlite:elsewhere"},
        {u"", kfx::KFX_REL_TEXTCONSTANT, 0, u""},
        {u"First Page Original File Name", kfx::KFX_REL_VARIABLE, 0, u"inv-1001.tif"},
        {u"First Page Original File Name", kfx::KFX_REL_VARIABLE, 1, u""},
        {u"Batch Name", kfx::KFX_REL_VARIABLE, 0, u"AP-0117"},
        {u"Batch Class Name", kfx::KFX_REL_VARIABLE, 0, u"AP Invoices"},
        {u"Document Class Name", kfx::KFX_REL_VARIABLE, 0, u"Supplier Invoice"},
        {u"Document ID", kfx::KFX_REL_VARIABLE, 1, u"7"},
        {u"Release Date", kfx::KFX_REL_VARIABLE, 0, u"2026-03-14"},
        {u"Unknown Value", kfx::KFX_REL_VARIABLE, 0, u""},
        {u"OriginalFolder", kfx::KFX_REL_BATCHFIELD, 0, u"scans/"},
        {u"Scanner", kfx::KFX_REL_BATCHFIELD, 0, u""},
        {u"anything", kfx::KFX_REL_DOCUMENTID, 1, u"7"},
        {u"Invoice Number", kfx::KFX_REL_UNDEFINED_LINK, 0, u""},
    };
    for (const SingleCase& c : cases) {
        const ResolvedValue resolved = Resolve(c.source, c.sourceType, c.document);
        const std::string label = "source type " + std::to_string(c.sourceType) + ", document " +
                                  std::to_string(c.document);
        EXPECT_EQ(resolved, (ResolvedValue{u"DEST", c.expected, u"", {}})) << label;
    }
}

TEST_F(LinkResolverTest, TableFieldGivesTableNameAndOneTextPerRow) {
    EXPECT_EQ(Resolve(u"Description", kfx::KFX_REL_INDEXFIELD),
              (ResolvedValue{u"DEST", u"", u"Lines", {u"Bolts", u""}}));
    EXPECT_EQ(Resolve(u"Quantity", kfx::KFX_REL_INDEXFIELD), (ResolvedValue{u"DEST", u"", u"Lines", {u"10", u"2"}}));
    // A document without the table still names it, with no rows.
    EXPECT_EQ(Resolve(u"Quantity", kfx::KFX_REL_INDEXFIELD, 1), (ResolvedValue{u"DEST", u"", u"Lines", {}}));
}

TEST_F(LinkResolverTest, DocumentCarriesOneValuePerLinkInStoredOrderAndTheClassDefaults) {
    documentClass_.links.push_back({u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"});
    const ReleaseDocument release = ResolveDocument(documentClass_, batch_, batch_.documents[0], context_);
    EXPECT_EQ(release.pdfFileName, u"inv-1001.pdf");
    EXPECT_EQ(release.connectString, u"sqlite:db");
    EXPECT_EQ(release.userName, u"clerk");
    EXPECT_EQ(release.password, u"secret");
    EXPECT_EQ(release.customProperties, documentClass_.customProperties);
    EXPECT_EQ(release.values, (std::vector<ResolvedValue>{{u"AIP32.INVN32", u"1001", u"", {}},
                                                          {u"APILibrary", u"APLIB", u"", {}},
                                                          {u"AIP33.DESC33", u"", u"Lines", {u"Bolts", u""}},
                                                          {u"OriginalFileName", u"inv-1001.tif", u"", {}},
                                                          {u"AIP32.INVN32", u"1001", u"", {}}}));
}

}  // namespace
}  // namespace standin
