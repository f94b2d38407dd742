#include "bench/data_access/invoice_rows.h"

#include <cstdio>

namespace benchdata {
namespace {

const char* const kSuppliers[] = {"Müller Büroservice GmbH", "Office Depot Ltd", "Papeterie Lefèvre SARL",
                                  "Kowalski i Syn Sp. z o.o.", "Nordic Supplies AB"};
const char* const kItems[] = {"Copier paper A4 80g", "Toner cartridge black", "Ring binder 2-ring",
                              "Delivery charge", "Whiteboard markers (4)", "Stapler heavy duty",
                              "Envelopes C5 (500)", "Desk lamp LED", "Archive box", "Label printer tape"};

std::string Format(const char* format, int a, int b = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

}  // namespace

std::vector<Invoice> MakeInvoices(int count, int linesEach) {
    std::vector<Invoice> invoices;
    invoices.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string key = Format("01S%06d001", i % 700);
        const std::string number = Format("I%06d", i);
        Invoice invoice;
        invoice.header = {{"RTYP32", "3"},
                          {"CDAC32", key},
                          {"INVN32", number},
                          {"DTIN32", Format("12%02d%02d", 1 + i % 12, 1 + i % 28) + "0"},
                          {"INAM32", kSuppliers[i % 5]},
                          {"TPAY32", "30 days net"},
                          {"CURN32", "EUR"},
                          {"DISP32", "2.50"}};
        for (int l = 0; l < linesEach; ++l) {
            invoice.lines.push_back({{"CDAC33", key},
                                     {"INVN33", number},
                                     {"RTYP33", "3"},
                                     {"CATN33", Format("ITEM%05d", (i * 7 + l) % 10000)},
                                     {"DESC33", kItems[(i + l) % 10]},
                                     {"LQTY33", Format("%d.000", 1 + l % 9)},
                                     {"UPRC33", Format("%d.%02d", 3 + l, (i + l) % 100)},
                                     {"LVAL33", Format("%d.%02d", 10 + l * 3, (i * 3 + l) % 100)},
                                     {"VATC33", "S"},
                                     {"VATR33", "20.000"}});
        }
        invoices.push_back(std::move(invoice));
    }
    return invoices;
}

}  // namespace benchdata
