#include "bench/data_access/recordset_writer.h"

#include "data_access/ax_recordset.h"
#include "host/utf8.h"

namespace benchdata {
namespace {

void Assign(dbAx::CAxRecordset& recordset, const Row& row) {
    for (const auto& [column, value] : row) {
        kfx::Text text = kfx::FromUtf8(value);
        recordset.SetField(kfx::FromUtf8(column), text);
    }
}

void OpenFile(dbAx::CAxRecordset& recordset, dbAx::CAxConnection& connection, const std::string& library,
              const char* file) {
    recordset.replacementChar = 0;
    recordset.Create();
    recordset.CursorType(0);
    recordset.CacheSize(1);
    recordset.Open(kfx::FromUtf8("SELECT * FROM " + library + "." + file + " WHERE 1=0"), &connection);
    recordset.MarshalOptions(1);
}

}  // namespace

void WriteThroughRecordsets(dbAx::CAxConnection& connection, const std::string& library,
                            const std::vector<Invoice>& invoices) {
    dbAx::CAxRecordset header, lines;
    OpenFile(header, connection, library, "AIP32");
    OpenFile(lines, connection, library, "AIP33");
    for (const Invoice& invoice : invoices) {
        for (const Row& row : invoice.lines) {
            lines.AddNew();
            Assign(lines, row);
            lines.Update();
        }
        header.AddNew();
        Assign(header, invoice.header);
        header.Update();
    }
}

}  // namespace benchdata
