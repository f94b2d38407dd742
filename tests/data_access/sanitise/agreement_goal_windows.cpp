// The platform's own converter: it is the reference, so every character agrees.
#include "tests/data_access/sanitise/agreement_goal.h"

namespace dbAx {

double AgreementGoal(std::uint32_t) { return 100.0; }

bool RepertoiresDiffer(std::uint32_t) { return false; }

}  // namespace dbAx
