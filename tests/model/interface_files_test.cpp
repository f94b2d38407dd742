#include "model/interface_files.h"

#include <gtest/gtest.h>

namespace veldmark {
namespace {

TEST(ParseSqlType, ReadsBothCatalogueForms) {
    auto chars = ParseSqlType(u"CHAR(35)");
    ASSERT_TRUE(chars);
    EXPECT_EQ(chars->kind, ColumnType::Char);
    EXPECT_EQ(chars->length, 35);
    auto decimal = ParseSqlType(u"DECIMAL(11, 3)");
    ASSERT_TRUE(decimal);
    EXPECT_EQ(decimal->kind, ColumnType::Decimal);
    EXPECT_EQ(decimal->length, 11);
    EXPECT_EQ(decimal->scale, 3);
    EXPECT_EQ(ParseSqlType(u"DECIMAL(7, 0)")->scale, 0);
}

TEST(ParseSqlType, RefusesOtherTexts) {
    for (const char16_t* text : {u"", u"CHAR", u"CHAR(0)", u"CHAR(3", u"VARCHAR(3)", u"DECIMAL(3)", u"DECIMAL(3, 4)",
                                 u"DECIMAL(7, 0) "}) {
        EXPECT_FALSE(ParseSqlType(text)) << std::string(text, text + std::char_traits<char16_t>::length(text));
    }
}

TEST(InterfaceFiles, FollowTheCatalogueAndCarryTheLineKeys) {
    ASSERT_EQ(HeaderFile().columns.size(), 56u);
    EXPECT_EQ(HeaderFile().columns.front().name, "RTYP32");
    EXPECT_EQ(HeaderFile().columns[4].name, "DTIN32");
    EXPECT_EQ(ColumnDeclaration(HeaderFile().columns[4].type), "DECIMAL(7,0)");
    ASSERT_EQ(LineFile().columns.size(), 40u);
    EXPECT_EQ(LineFile().columns[0].name, "CDAC33");
    EXPECT_EQ(LineFile().columns[1].name, "INVN33");
    EXPECT_EQ(LineFile().columns[2].name, "RTYP33");
    EXPECT_EQ(LineFile().columns[3].name, "RTSN33");
    EXPECT_EQ(LineFile().columns.back().name, "GPAX33");
}

TEST(InterfaceFiles, CreateTableDeclaresEveryColumnWithItsDefault) {
    const std::string sql = CreateTableSql(LineFile(), "APLIB");
    EXPECT_EQ(sql.rfind("CREATE TABLE APLIB.AIP33 (CDAC33 CHAR(15) NOT NULL DEFAULT ' ', ", 0), 0u);
    EXPECT_NE(sql.find("LQTY33 DECIMAL(11,3) NOT NULL DEFAULT 0, "), std::string::npos);
    EXPECT_TRUE(sql.ends_with("GPAX33 CHAR(30) NOT NULL DEFAULT ' ')"));
}

}  // namespace
}  // namespace veldmark
