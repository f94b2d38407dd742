// A small document class and batch in the store's formats, shared by the
// store tests.
#pragma once

namespace standin::samples {

inline constexpr const char* kDocumentClass = R"({
  "formatVersion": 1,
  "batchClassName": "AP Invoices",
  "documentClassName": "Supplier Invoice",
  "releaseScriptName": "Veldmark Export Connector for System21",
  "connectString": "sqlite:db",
  "userName": "clerk",
  "password": "secret",
  "customProperties": {"serverAPILibrary": "APLIB", "SanitiseCodepage": ""},
  "indexFields": [
    {"name": "Invoice Number"},
    {"name": "Supplier"},
    {"name": "Description", "table": "Lines"},
    {"name": "Quantity", "table": "Lines"}
  ],
  "batchFields": ["OriginalFolder", "OriginalFileNameExt"],
  "hostValueNames": ["First Page Original File Name", "Batch Name", "Document ID"],
  "links": [
    {"source": "Invoice Number", "sourceType": 0, "destination": "AIP32.INVN32"},
    {"source": "APLIB", "sourceType": 1, "destination": "APILibrary"},
    {"source": "Description", "sourceType": 0, "destination": "AIP33.DESC33"},
    {"source": "First Page Original File Name", "sourceType": 2, "destination": "OriginalFileName"}
  ]
})";

inline constexpr const char* kBatch = R"({
  "formatVersion": 1,
  "batchName": "AP-0117",
  "batchFields": {"OriginalFolder": "scans/", "OriginalFileNameExt": "pdf"},
  "documents": [
    {
      "documentId": 1,
      "pdfFileName": "inv-1001.pdf",
      "indexFields": {"Invoice Number": "1001", "Supplier": "Łódź Metal"},
      "tables": {"Lines": [{"Description": "Bolts", "Quantity": "10"}, {"Quantity": "2"}]},
      "hostValues": {"First Page Original File Name": "inv-1001.tif"}
    },
    {"documentId": 7}
  ]
})";

}  // namespace standin::samples
