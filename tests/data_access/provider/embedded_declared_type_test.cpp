#include "data_access/provider/embedded_declared_type.h"

#include <gtest/gtest.h>

namespace dbAx::provider {
namespace {

struct Case {
    const char* declared;
    std::optional<DeclaredType> type;
};

class DeclaredTypeOf : public ::testing::TestWithParam<Case> {};

TEST_P(DeclaredTypeOf, Declaration) {
    const std::optional<DeclaredType> type = ParseDeclaredType(GetParam().declared);
    ASSERT_EQ(type.has_value(), GetParam().type.has_value());
    if (!type) return;
    EXPECT_EQ(type->kind, GetParam().type->kind);
    EXPECT_EQ(type->length, GetParam().type->length);
    EXPECT_EQ(type->scale, GetParam().type->scale);
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, DeclaredTypeOf,
    ::testing::Values(Case{"CHAR(7)", DeclaredType{ColumnKind::Char, 7, 0}},
                      Case{"character ( 15 )", DeclaredType{ColumnKind::Char, 15, 0}},
                      Case{"NCHAR(3)", DeclaredType{ColumnKind::WideChar, 3, 0}},
                      Case{"DECIMAL(11,3)", DeclaredType{ColumnKind::Decimal, 11, 3}},
                      Case{"decimal(11, 3)", DeclaredType{ColumnKind::Decimal, 11, 3}},
                      Case{"DEC(7)", DeclaredType{ColumnKind::Decimal, 7, 0}},
                      Case{"NUMERIC(5,2)", DeclaredType{ColumnKind::Numeric, 5, 2}},
                      Case{"CHAR", std::nullopt}, Case{"CHAR(0)", std::nullopt}, Case{"CHAR(7,2)", std::nullopt},
                      Case{"DECIMAL(3,4)", std::nullopt}, Case{"DECIMAL", std::nullopt},
                      Case{"VARCHAR(10)", std::nullopt}, Case{"INTEGER", std::nullopt},
                      Case{"CHAR(7) X", std::nullopt}, Case{"", std::nullopt}));

}  // namespace
}  // namespace dbAx::provider
