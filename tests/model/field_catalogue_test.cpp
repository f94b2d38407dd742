#include "model/field_catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace veldmark {
namespace {

class BuiltCatalogue : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(BuildFieldCatalogue(catalogue)); }
    FieldCatalogue catalogue;
};

TEST_F(BuiltCatalogue, HoldsFiftySixHeaderAndThirtySevenLineFieldsAndAnEmptyLastSlot) {
    int header = 0, lines = 0;
    std::set<Text> destinations;
    for (std::size_t i = 0; i < kCatalogueFields; ++i) {
        const MappedField& field = catalogue[i];
        const Text file = field.destination.substr(0, 6);
        if (field.group == Header) {
            ++header;
            EXPECT_EQ(file, u"AIP32.") << i;
        } else {
            ++lines;
            EXPECT_EQ(field.group, LineItem) << i;
            EXPECT_EQ(file, u"AIP33.") << i;
        }
        // Six-character column names whose last two characters repeat the file number.
        ASSERT_EQ(field.destination.size(), 12u) << i;
        EXPECT_EQ(field.destination.substr(10), field.destination.substr(3, 2)) << i;
        destinations.insert(field.destination);
        EXPECT_EQ(field.sourceType, -1);
        EXPECT_TRUE(field.source.empty());
    }
    EXPECT_EQ(header, 56);
    EXPECT_EQ(lines, 37);
    EXPECT_EQ(destinations.size(), 93u);
    EXPECT_EQ(catalogue[93].group, Hidden);
    EXPECT_TRUE(catalogue[93].destination.empty());
}

TEST_F(BuiltCatalogue, RequiresExactlyTheFourKeyHeaderFields) {
    std::set<Text> required;
    for (const MappedField& field : catalogue)
        if (field.required) required.insert(field.destination);
    EXPECT_EQ(required, (std::set<Text>{u"AIP32.RTYP32", u"AIP32.CDAC32", u"AIP32.INVN32", u"AIP32.DTIN32"}));
}

TEST_F(BuiltCatalogue, KeepsTheTextsOfItsRows) {
    EXPECT_EQ(catalogue[0].label, u"Record type");
    EXPECT_EQ(catalogue[0].sqlType, u"CHAR(1)");
    EXPECT_EQ(catalogue[0].description,
              u"Set to '3' if invoice is to populate the 3-way match files (3WM mode). Otherwise only the AP invoice "
              u"is polulated.");
    EXPECT_EQ(catalogue[1].description, u"Field not used at this time.");
    EXPECT_EQ(catalogue[54].description,
              u"The currency code of the invoice. Can be used to override the supplier\u2019s default currency if the "
              u"supplier allows multi-currency.");
    EXPECT_EQ(catalogue[55].description, u"System21 Location code");
    EXPECT_EQ(catalogue[65].sqlType, u"DECIMAL(15, 5)");
    EXPECT_EQ(catalogue[92].destination, u"AIP33.GPAX33");
    EXPECT_EQ(catalogue[92].label, u"GL Purchase Account Ext");
}

TEST_F(BuiltCatalogue, AddressLabelsEndInTheDigitOfTheirColumn) {
    for (int line = 1; line <= 5; ++line) {
        const Text digit(1, static_cast<char16_t>(u'0' + line));
        auto invoice = FindCatalogueSlot(catalogue, u"AIP32.IAD" + digit + u"32");
        auto delivery = FindCatalogueSlot(catalogue, u"AIP32.DAD" + digit + u"32");
        ASSERT_TRUE(invoice && delivery);
        EXPECT_EQ(catalogue[*invoice].label, u"Invoice Address Line " + digit);
        EXPECT_EQ(catalogue[*delivery].label, u"Delivery address line " + digit);
    }
}

TEST_F(BuiltCatalogue, FindsSlotsByExactDestinationOnly) {
    EXPECT_EQ(FindCatalogueSlot(catalogue, u"AIP33.RESN33"), 64u);
    EXPECT_EQ(FindCatalogueSlot(catalogue, u"AIP32.RESN32"), 22u);
    EXPECT_EQ(catalogue[22].label, catalogue[64].label);
    EXPECT_FALSE(FindCatalogueSlot(catalogue, u"aip32.rtyp32"));
    EXPECT_FALSE(FindCatalogueSlot(catalogue, u"AIP32"));
}

TEST(SetCatalogueField, FillsTheLastSlotButRefusesAnyBeyond) {
    FieldCatalogue catalogue;
    catalogue[93].source = u"kept";
    EXPECT_TRUE(SetCatalogueField(catalogue, 93, LineItem, u"D", u"L", u"X", u"CHAR(1)", true));
    EXPECT_EQ(catalogue[93].destination, u"D");
    EXPECT_EQ(catalogue[93].source, u"kept");
    EXPECT_TRUE(catalogue[93].required);
    const FieldCatalogue before = catalogue;
    EXPECT_FALSE(SetCatalogueField(catalogue, 94, Header, u"E", u"L", u"X", u"CHAR(1)", false));
    EXPECT_FALSE(SetCatalogueField(catalogue, 1000, Header, u"E", u"L", u"X", u"CHAR(1)", false));
    for (std::size_t i = 0; i < catalogue.size(); ++i) EXPECT_EQ(catalogue[i].destination, before[i].destination);
}

}  // namespace
}  // namespace veldmark
