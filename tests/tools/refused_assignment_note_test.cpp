#include <gtest/gtest.h>

#include "tools/refused_assignment_note.h"

namespace standin {
namespace {

struct NoteCase {
    const char* message;
    std::optional<std::string> note;
};

TEST(RefusedAssignmentNote, NamesTheRefusedColumnsTypeFromTheInterfaceFiles) {
    const NoteCase cases[] = {
        {"Error in readVariables: Failed to set Field 'INVN32' to value 'INV-20044' (Error Code: 0x80040e21)",
         "the column AIP32.INVN32 is CHAR(7)"},
        {"Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value 'two' (Error Code: 0x80040e21)",
         "the column AIP33.LQTY33 is DECIMAL(11,3)"},
        // A line key the component derives from the header.
        {"Error Updating AIP33 record 0 of 0: Failed to set Field 'INVN33' to value 'TOOLONG12' (Error Code: "
         "0x80040e21)",
         "the column AIP33.INVN33 is CHAR(7)"},
        // A value text that itself looks like the pattern does not mislead it.
        {"Error in readVariables: Failed to set Field 'CURN32' to value 'Failed to set Field 'INVN32' to value '' "
         "(Error Code: 0x80040e21)",
         "the column AIP32.CURN32 is CHAR(3)"},
        // A header field named in a line message is not a column of AIP33.
        {"Error Updating AIP33 record 1 of 1: Failed to set Field 'INVN32' to value 'X' (Error Code: 0x80040e21)",
         std::nullopt},
        {"Error in readVariables: Invalid number of digits in decimal Field 'DTIN32' (8 > 7) (Error Code: "
         "0x00000000)",
         std::nullopt},
        {"Error Updating AIP32: CAxRecordset::Update\nthe server refuses", std::nullopt},
        {"Error in readVariables: Failed to set Field 'INVN32", std::nullopt},
        {"Document Released Successfully Failed to set Field 'INVN32' to value 'x'", std::nullopt},
    };
    for (const NoteCase& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(RefusedAssignmentNote(c.message), c.note);
    }
}

}  // namespace
}  // namespace standin
