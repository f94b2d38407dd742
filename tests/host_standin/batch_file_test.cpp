#include <gtest/gtest.h>

#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "host_standin/store_error.h"
#include "store_samples.h"

namespace standin {
namespace {

const DocumentClass& SampleClass() {
    static const DocumentClass documentClass = ParseDocumentClass(samples::kDocumentClass, "class.json");
    return documentClass;
}

TEST(BatchFileTest, ReadsBatchFieldsAndDocuments) {
    const Batch batch = ParseBatch(samples::kBatch, "batch.json", SampleClass());
    EXPECT_EQ(batch.batchName, u"AP-0117");
    EXPECT_EQ(batch.batchFields, (FieldValues{{u"OriginalFolder", u"scans/"}, {u"OriginalFileNameExt", u"pdf"}}));
    ASSERT_EQ(batch.documents.size(), 2u);
    const BatchDocument& first = batch.documents[0];
    EXPECT_EQ(first.documentId, 1);
    EXPECT_EQ(first.pdfFileName, u"inv-1001.pdf");
    EXPECT_EQ(first.indexFields, (FieldValues{{u"Invoice Number", u"1001"}, {u"Supplier", u"Łódź Metal"}}));
    EXPECT_EQ(first.tables.at(u"Lines"),
              (std::vector<FieldValues>{{{u"Description", u"Bolts"}, {u"Quantity", u"10"}}, {{u"Quantity", u"2"}}}));
    EXPECT_EQ(first.hostValues, (FieldValues{{u"First Page Original File Name", u"inv-1001.tif"}}));
    EXPECT_EQ(batch.documents[1], (BatchDocument{7, u"", {}, {}, {}}));
}

struct BadBatch {
    const char* name;
    std::string documents;  // the text of the "documents" list, or a whole file when it starts with the version
    std::string message;
};

void PrintTo(const BadBatch& batch, std::ostream* out) { *out << batch.name; }

class BatchErrorTest : public ::testing::TestWithParam<BadBatch> {};

TEST_P(BatchErrorTest, NamesTheFileAndThePlace) {
    const std::string& documents = GetParam().documents;
    const std::string text =
        documents.rfind(R"({"formatVersion")", 0) == 0 ? documents : R"({"formatVersion": 1, "documents": [)" + documents + "]}";
    try {
        ParseBatch(text, "batch.json", SampleClass());
        FAIL() << "accepted";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    StoreFiles, BatchErrorTest,
    ::testing::Values(
        BadBatch{"UnknownIndexField", R"({"documentId": 1, "indexFields": {"Invoice No": "1"}})",
                 R"(batch.json: documents[0].indexFields["Invoice No"]: the document class has no index field "Invoice No")"},
        BadBatch{"TableFieldOutsideItsTable", R"({"documentId": 1, "indexFields": {"Description": "x"}})",
                 "batch.json: documents[0].indexFields.Description: index field \"Description\" belongs to table "
                 "\"Lines\"; give it in \"tables\""},
        BadBatch{"UnknownTable", R"({"documentId": 1, "tables": {"Taxes": []}})",
                 "batch.json: documents[0].tables.Taxes: the document class has no table \"Taxes\""},
        BadBatch{"FieldOfAnotherTable", R"({"documentId": 1, "tables": {"Lines": [{}, {"Supplier": "x"}]}})",
                 "batch.json: documents[0].tables.Lines[1].Supplier: table \"Lines\" has no field \"Supplier\""},
        BadBatch{"RowNotAnObject", R"({"documentId": 1, "tables": {"Lines": [["Bolts"]]}})",
                 "batch.json: documents[0].tables.Lines[0]: expected an object, found a list"},
        BadBatch{"QuantityAsNumber", R"({"documentId": 1, "tables": {"Lines": [{"Quantity": 10}]}})",
                 "batch.json: documents[0].tables.Lines[0].Quantity: expected a text, found a whole number"},
        BadBatch{"ComputedHostValue", R"({"documentId": 1, "hostValues": {"Document ID": "9"}})",
                 R"(batch.json: documents[0].hostValues["Document ID"]: the host works out "Document ID" itself; leave it out)"},
        BadBatch{"UndeclaredHostValue", R"({"documentId": 1, "hostValues": {"Scan Station": "S1"}})",
                 R"(batch.json: documents[0].hostValues["Scan Station"]: the document class has no host value "Scan Station")"},
        BadBatch{"RepeatedDocumentId", R"({"documentId": 3}, {"documentId": 4}, {"documentId": 3})",
                 "batch.json: documents[2]: document id 3 is used twice"},
        BadBatch{"DocumentIdZero", R"({"documentId": 0})",
                 "batch.json: documents[0].documentId: expected a document id from 1 to 2147483647, found 0"},
        BadBatch{"MisspeltDocumentKey", R"({"documentId": 1, "pdfFilename": "a.pdf"})",
                 "batch.json: documents[0].pdfFilename: unknown key"},
        BadBatch{"UndeclaredBatchField",
                 R"({"formatVersion": 1, "batchFields": {"Scanner": "S1"}, "documents": []})",
                 "batch.json: batchFields.Scanner: the document class has no batch field \"Scanner\""},
        BadBatch{"NoDocuments", R"({"formatVersion": 1, "batchName": "B"})",
                 "batch.json: top level: missing key \"documents\""},
        BadBatch{"LongUnknownIndexFieldIsExcerpted",
                 R"({"documentId": 1, "indexFields": {")" + std::string(1'000'000, 'k') + R"(": "1"}})",
                 "batch.json: documents[0].indexFields[\"" + std::string(40, 'k') +
                     "…\"]: the document class has no index field \"" + std::string(40, 'k') + "…\""},
        BadBatch{"ControlCharactersInAFieldNameAreEscaped", R"({"documentId": 1, "indexFields": {"\u001b]0;x\u0007": "1"}})",
                 R"(batch.json: documents[0].indexFields["\x1b]0;x\x07"]: the document class has no index field "\x1b]0;x\x07")"},
        BadBatch{"DocumentIdOutOfRange", R"({"documentId": -1e400})",
                 "batch.json:1:51: number out of range: -1e400"},
        BadBatch{"DocumentIdTooSmallToHold", R"({"documentId": 1e-400})",
                 "batch.json:1:51: number out of range: 1e-400"},
        BadBatch{"InvalidUtf8InAValue", "{\"documentId\": 1, \"pdfFileName\": \"a\xff.pdf\"}",
                 "batch.json:1:71: syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last "
                 "read: '\"a\\xff'"},
        BadBatch{"BrokenSyntax", "{\"formatVersion\": 1, \"documents\": [\n  {\"documentId\": 1,}\n]}",
                 "batch.json:2:20: syntax error while parsing object key - unexpected '}'; expected string literal"}),
    [](const ::testing::TestParamInfo<BadBatch>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin
