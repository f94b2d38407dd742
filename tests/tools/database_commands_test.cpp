#include <gtest/gtest.h>

#include <sstream>

#include "tools/database_commands.h"
#include "library_sql.h"
#include "temporary_store.h"

namespace standin {
namespace {

class DatabaseCommandsTest : public ::testing::Test {
protected:
    // Writes straight into the library file, as a release would have.
    void Execute(const std::string& sql) const { testing::ExecuteInLibrary(directory_, "APLIB", sql); }

    testing::TemporaryStore store_;
    std::filesystem::path directory_ = store_.Path("db");
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(DatabaseCommandsTest, CreatesEmptyInterfaceFiles) {
    EXPECT_EQ(RunCreateDatabase(directory_, "APLIB", {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "created library APLIB with AIP32 and AIP33 in " + directory_.string() + "\n");
    out_.str("");
    EXPECT_EQ(RunShow(directory_, "APLIB", {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "Library APLIB in " + directory_.string() +
                              " (columns left blank or zero are not shown)\nAIP32: 0 rows\nAIP33: 0 rows\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(DatabaseCommandsTest, ShowsEachRowByItsColumnsThatWereGiven) {
    ASSERT_EQ(RunCreateDatabase(directory_, "APLIB", {out_, err_, false}), 0);
    Execute("INSERT INTO AIP32 (RTYP32, INVN32, DTIN32, INAM32) VALUES ('I', '4471', 1260302, 'Brinmoor Fasteners Ltd');"
            "INSERT INTO AIP33 (INVN33, DESC33, LQTY33, UPRC33) VALUES ('4471', 'Carriage', 1, 0);"
            "INSERT INTO AIP33 (INVN33, DESC33, LQTY33) VALUES ('4471', 'Hex nut', 10.5);");
    out_.str("");
    EXPECT_EQ(RunShow(directory_, "APLIB", {out_, err_, false}), 0);
    EXPECT_EQ(out_.str(), "Library APLIB in " + directory_.string() +
                              " (columns left blank or zero are not shown)\n"
                              "AIP32: 1 row\n"
                              "  row 1: RTYP32=I INVN32=4471 DTIN32=1260302 INAM32=\"Brinmoor Fasteners Ltd\"\n"
                              "AIP33: 2 rows\n"
                              "  row 1: INVN33=4471 DESC33=Carriage LQTY33=1.000\n"
                              "  row 2: INVN33=4471 DESC33=\"Hex nut\" LQTY33=10.500\n");
}

TEST_F(DatabaseCommandsTest, ControlCharactersInAValueShowEscaped) {
    ASSERT_EQ(RunCreateDatabase(directory_, "APLIB", {out_, err_, false}), 0);
    Execute("INSERT INTO AIP32 (INVN32, INAM32) VALUES ('44' || char(27) || '[2J', 'Line one' || char(10) || 'two');");
    out_.str("");
    EXPECT_EQ(RunShow(directory_, "APLIB", {out_, err_, false}), 0);
    EXPECT_NE(out_.str().find("  row 1: INVN32=44\\x1b[2J INAM32=\"Line one\\ntwo\"\n"), std::string::npos) << out_.str();
}

TEST_F(DatabaseCommandsTest, ProblemsAreNamedAndChangeNothing) {
    EXPECT_EQ(RunShow(directory_, "APLIB", {out_, err_, false}), 2);
    EXPECT_EQ(err_.str().rfind("veldmark: ", 0), 0u);
    EXPECT_NE(err_.str().find(directory_.string()), std::string::npos) << err_.str();
    err_.str("");
    ASSERT_EQ(RunCreateDatabase(directory_, "APLIB", {out_, err_, false}), 0);
    EXPECT_EQ(RunCreateDatabase(directory_, "APLIB", {out_, err_, false}), 2);
    EXPECT_NE(err_.str().find("APLIB"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace standin
