#include "host_standin/fault_plan.h"

#include <stdexcept>

namespace standin {
namespace {

void RequireFailure(kfx::HRESULT result) {
    if (!kfx::Failed(result)) throw std::invalid_argument("a planned fault needs a failure result");
}

}  // namespace

void FaultPlan::FailNthCall(std::string callName, int n, kfx::HRESULT result) {
    RequireFailure(result);
    if (n < 1) throw std::invalid_argument("calls are counted from 1");
    faults_.push_back({std::move(callName), n, result});
}

void FaultPlan::FailEveryCall(std::string callName, kfx::HRESULT result) {
    RequireFailure(result);
    faults_.push_back({std::move(callName), 0, result});
}

kfx::HRESULT FaultPlan::Consult(std::string_view callName) {
    calls_.emplace_back(callName);
    auto counted = callCounts_.find(callName);
    if (counted == callCounts_.end()) counted = callCounts_.emplace(std::string(callName), 0).first;
    const int thisCall = ++counted->second;
    for (const Fault& fault : faults_) {
        if (fault.callName == callName && (fault.nth == 0 || fault.nth == thisCall)) return fault.result;
    }
    return kfx::HR_S_OK;
}

int FaultPlan::CallCount(std::string_view callName) const {
    auto counted = callCounts_.find(callName);
    return counted == callCounts_.end() ? 0 : counted->second;
}

}  // namespace standin
