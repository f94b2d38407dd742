// How closely sanitising must agree with the platform converter's reference:
// this build's converter decides (agreement_goal_<platform>.cpp).
#pragma once

#include <cstdint>

namespace dbAx {

// The least share, in per cent, of BMP characters that must agree.
double AgreementGoal(std::uint32_t codePage);

// Characters that one of our converter's table and the platform's holds and
// the other lacks: the holder gives them back, the other its default
// character. True where they count towards the goal all the same, because the
// repertoires are known to differ.
bool RepertoiresDiffer(std::uint32_t codePage);

}  // namespace dbAx
