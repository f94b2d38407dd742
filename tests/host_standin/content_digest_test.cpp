#include <gtest/gtest.h>

#include <functional>

#include "host_standin/content_digest.h"

namespace standin {
namespace {

Batch SampleBatch() {
    BatchDocument document;
    document.documentId = 1;
    document.pdfFileName = u"inv1.pdf";
    document.indexFields = {{u"Invoice Number", u"1001"}, {u"Supplier", u"SUP1"}};
    document.tables = {{u"Lines", {{{u"Item", u"A"}}, {{u"Item", u"B"}}}}};
    document.hostValues = {{u"Document ID", u"1"}};
    return {u"B1", {{u"OriginalFolder", u"/scans"}}, {document}};
}

struct ChangeCase {
    const char* name;
    std::function<void(Batch&)> change;
};

TEST(ContentDigestTest, ChangesWithAnythingCapturedButNotWithTheDocumentId) {
    const Batch sample = SampleBatch();
    const std::string digest = ContentDigest(sample, sample.documents[0]);
    EXPECT_EQ(digest.size(), 16u);
    EXPECT_EQ(digest.find_first_not_of("0123456789abcdef"), std::string::npos) << digest;
    EXPECT_EQ(ContentDigest(SampleBatch(), SampleBatch().documents[0]), digest) << "the same content, the same digest";
    Batch renumbered = SampleBatch();
    renumbered.documents[0].documentId = 7;
    EXPECT_EQ(ContentDigest(renumbered, renumbered.documents[0]), digest);

    const ChangeCase changes[] = {
        {"batch name", [](Batch& b) { b.batchName = u"B2"; }},
        {"batch field", [](Batch& b) { b.batchFields[u"OriginalFolder"] = u"/other"; }},
        {"file name", [](Batch& b) { b.documents[0].pdfFileName = u"inv2.pdf"; }},
        {"index field", [](Batch& b) { b.documents[0].indexFields[u"Invoice Number"] = u"1002"; }},
        {"field moved between names",
         [](Batch& b) { b.documents[0].indexFields = {{u"Invoice Number1", u"001"}, {u"Supplier", u"SUP1"}}; }},
        {"table row", [](Batch& b) { b.documents[0].tables[u"Lines"][1][u"Item"] = u"C"; }},
        {"rows swapped", [](Batch& b) { std::swap(b.documents[0].tables[u"Lines"][0], b.documents[0].tables[u"Lines"][1]); }},
        {"row added", [](Batch& b) { b.documents[0].tables[u"Lines"].push_back({}); }},
        {"host value", [](Batch& b) { b.documents[0].hostValues[u"Document ID"] = u"2"; }},
    };
    for (const ChangeCase& c : changes) {
        Batch changed = SampleBatch();
        c.change(changed);
        EXPECT_NE(ContentDigest(changed, changed.documents[0]), digest) << c.name;
    }
}

}  // namespace
}  // namespace standin
