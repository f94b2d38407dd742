#include "tests/support/document_release.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/release_script.h"
#include "host/utf8.h"
#include "host_standin/release_data.h"
#include "tests/support/component_under_test.h"

namespace testsupport {

DocumentRelease::DocumentRelease(kfx::Text connectString) {
    document_.pdfFileName = u"invoice.pdf";
    document_.connectString = std::move(connectString);
    document_.userName = u"QUSER";
    document_.password = u"secret";
}

void DocumentRelease::Add(const char16_t* destination, const kfx::Text& value) {
    document_.values.push_back({destination, value, {}, {}});
}

void DocumentRelease::AddTable(const char16_t* destination, const char16_t* table, std::vector<kfx::Text> rows) {
    document_.values.push_back({destination, {}, table, std::move(rows)});
}

void DocumentRelease::Remove(const char16_t* destination) {
    std::erase_if(document_.values, [&](const standin::ResolvedValue& v) { return v.destination == destination; });
}

void DocumentRelease::AddTypicalInvoice() {
    Add(u"APILibrary", u"APLIB");
    Add(u"AIP32.RTYP32", u"3");
    Add(u"AIP32.CDAC32", u"01SUPP0001001");
    Add(u"AIP32.INVN32", u"INV0001");
    Add(u"AIP32.DTIN32", u"1240131");
    Add(u"AIP32.CURN32", u"EUR");
    AddTable(u"AIP33.DESC33", u"Lines", {u"Copier paper A4", u"Toner cartridge", u"Delivery"});
    AddTable(u"AIP33.LQTY33", u"Lines", {u"10", u"2", u"1"});
    AddTable(u"AIP33.UPRC33", u"Lines", {u"4.25", u"59.90", u"12.5"});
}

kfx::KfxReturnValue DocumentRelease::Release() {
    kfx::ComPtr<kfx::IKfxReleaseScript> script;
    EXPECT_EQ(NewReleaseScript(script), kfx::HR_S_OK);
    kfx::ComPtr<standin::ReleaseData> data(new standin::ReleaseData(hostPlan_, document_, sink_));
    script->putref_DocumentData(data.Get());
    kfx::KfxReturnValue result = kfx::KFX_REL_SUCCESS;
    EXPECT_EQ(script->ReleaseDoc(&result), kfx::HR_S_OK);
    kfx::KfxReturnValue closed = kfx::KFX_REL_ERROR;
    script->CloseScript(&closed);
    EXPECT_EQ(closed, kfx::KFX_REL_SUCCESS);
    return result;
}

std::vector<std::string> DocumentRelease::LogTexts() const {
    std::vector<std::string> texts;
    for (const standin::ErrorLogEntry& entry : Log()) texts.push_back(kfx::ToUtf8(entry.message));
    return texts;
}

}  // namespace testsupport
