#include <gtest/gtest.h>

#include "tools/invoice_keys.h"

namespace standin {
namespace {

ResolvedValue Single(const kfx::Text& destination, const kfx::Text& value) { return {destination, value, u"", {}}; }

TEST(InvoiceKeysTest, TheHeaderKeysAndTheLineKeysTheComponentDerivesFromThem) {
    const InvoiceKeys keys = KeysOf({Single(u"AIP32.RTYP32", u"I"), Single(u"AIP32.CDAC32", u"01SUP"),
                                     Single(u"AIP32.INVN32", u"1001"), Single(u"AIP33.DESC33", u"Paper"),
                                     Single(u"serverName", u"sqlite:db")});
    EXPECT_EQ(keys.header, (std::vector<KeyValue>{{"CDAC32", u"01SUP"}, {"INVN32", u"1001"}, {"RTYP32", u"I"}}));
    EXPECT_EQ(keys.lines, (std::vector<KeyValue>{{"CDAC33", u"01SUP"}, {"INVN33", u"1001"}, {"RTYP33", u"I"}}));
}

TEST(InvoiceKeysTest, TheHeaderTakesTheLastValueAndTheLinesTheFirst) {
    const InvoiceKeys keys = KeysOf({Single(u"AIP33.INVN33", u"L1"), Single(u"AIP32.INVN32", u"H1"),
                                     Single(u"AIP32.INVN32.x", u"H2"), Single(u"AIP33.CDAC33", u"C1"),
                                     Single(u"AIP33.CDAC33", u"C2")});
    EXPECT_EQ(keys.header[1], (KeyValue{"INVN32", u"H2"}));
    EXPECT_EQ(keys.headerValues, (std::map<kfx::Text, kfx::Text>{{u"INVN32", u"H2"}}))
        << "what the header row is written with";
    EXPECT_EQ(keys.lines, (std::vector<KeyValue>{{"CDAC33", u"C1"}, {"INVN33", u"L1"}, {"RTYP33", u""}}));
}

TEST(InvoiceKeysTest, ALineKeyGivenRowByRowTiesNoLine) {
    const InvoiceKeys keys =
        KeysOf({Single(u"AIP32.INVN32", u"1001"), ResolvedValue{u"AIP33.RTYP33", u"", u"Lines", {u"I", u"C"}}});
    EXPECT_EQ(keys.lines, (std::vector<KeyValue>{{"CDAC33", u""}, {"INVN33", u"1001"}}))
        << "an unmapped key is blank";
}

}  // namespace
}  // namespace standin
