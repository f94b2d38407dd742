// ICU's tables with the platform's best fits generated into them.
#include "tests/data_access/sanitise/agreement_goal.h"

namespace dbAx {

double AgreementGoal(std::uint32_t codePage) {
    switch (codePage) {
        case 37: case 500: case 875: case 1026:  // EBCDIC
        case 932: case 936: case 949: case 950: case 20932: case 20949:  // double-byte
            return 99.0;
        default:
            return 99.5;
    }
}

// For 20932 ICU has JIS X 0212 and the platform has not, and the platform
// holds the user-defined characters of the private use area.
bool RepertoiresDiffer(std::uint32_t codePage) { return codePage == 20932; }

}  // namespace dbAx
