#include "data_access/provider/sql_qualifiers.h"

#include <gtest/gtest.h>

namespace dbAx::provider {
namespace {

struct Case {
    const char* sql;
    std::vector<std::string> qualifiers;
};

class QualifierNamesOf : public ::testing::TestWithParam<Case> {};

TEST_P(QualifierNamesOf, Statement) { EXPECT_EQ(QualifierNames(GetParam().sql), GetParam().qualifiers); }

INSTANTIATE_TEST_SUITE_P(
    Statements, QualifierNamesOf,
    ::testing::Values(Case{"SELECT * FROM LIB.AIP32 WHERE 1=0", {"LIB"}},
                      Case{"select * from lib . aip33 where 1=0", {"lib"}},
                      Case{"SELECT * FROM \"My \"\"Lib\"\"\".T", {"My \"Lib\""}},
                      Case{"SELECT * FROM [L1].T, `L2`.T", {"L1", "L2"}},
                      Case{"SELECT * FROM T WHERE A = 'X.Y' AND B = 1.5", {}},
                      Case{"SELECT * FROM T -- L.T\nWHERE /* M.T */ 1=0", {}},
                      Case{"SELECT * FROM LIB.T WHERE LIB.T.A = 'it''s'", {"LIB", "LIB", "T"}},
                      Case{"SELECT * FROM T WHERE 1=0", {}}));

}  // namespace
}  // namespace dbAx::provider
