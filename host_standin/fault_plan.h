// Lets tests make any call on the stand-in host objects fail, and lists every
// call that was made, so that a test can sweep "fail each call in turn".
// Call names are "<object>.<operation>", as "Values.get_Item" or
// "ReleaseSetupData.Apply".
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "host/com.h"

namespace standin {

class FaultPlan {
public:
    // Fails the n-th call of the named operation (counting from 1) with the
    // given failure result. Throws std::invalid_argument for n < 1 or a
    // result that is not a failure.
    void FailNthCall(std::string callName, int n, kfx::HRESULT result);
    // Fails every call of the named operation with the given failure result.
    void FailEveryCall(std::string callName, kfx::HRESULT result);

    // Records the call and answers the result planned for it, HR_S_OK when none.
    kfx::HRESULT Consult(std::string_view callName);

    // Every call consulted so far, in order.
    const std::vector<std::string>& Calls() const { return calls_; }
    int CallCount(std::string_view callName) const;

private:
    struct Fault {
        std::string callName;
        int nth;  // 0: every call
        kfx::HRESULT result;
    };

    std::vector<Fault> faults_;
    std::vector<std::string> calls_;
    std::map<std::string, int, std::less<>> callCounts_;
};

}  // namespace standin
