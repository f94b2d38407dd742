#include "data_access/fault_injection/fault_plan.h"

namespace dbAx::fault {
namespace {

bool Matches(const std::string& pattern, const std::string& call) {
    if (pattern == call) return true;
    return pattern.find('(') == std::string::npos && call.size() > pattern.size() && call[pattern.size()] == '(' &&
           call.compare(0, pattern.size(), pattern) == 0;
}

}  // namespace

void FaultPlan::Add(Fault fault) { faults_.push_back({std::move(fault), 0}); }

void FaultPlan::Reset() {
    faults_.clear();
    calls_.clear();
}

const Fault* FaultPlan::Strike(const std::string& call) {
    calls_.push_back(call);
    const Fault* striking = nullptr;
    for (Armed& armed : faults_) {
        if (!Matches(armed.fault.call, call)) continue;
        ++armed.seen;
        const bool strikes = armed.fault.occurrence == 0 || armed.fault.occurrence == armed.seen;
        if (strikes && !striking) striking = &armed.fault;
    }
    return striking;
}

}  // namespace dbAx::fault
