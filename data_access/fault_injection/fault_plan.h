// Which database calls fail, and how: tests put faults into a plan, and the
// fault-injecting environment consults it on every call it passes on.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data_access/platform/database.h"

namespace dbAx::fault {

struct Fault {
    // "Connection.Open", or with its argument "Field.SetValue(INVN32)",
    // "Recordset.Supports(Resync)"; a name without an argument matches the
    // call with any argument.
    std::string call;
    // The n-th matching call fails (from 1); 0 makes every matching call fail.
    int occurrence = 0;
    // What the call answers instead of passing on; a success result plays a
    // call that succeeds without reaching the platform.
    platform::Result result = kfx::HR_E_FAIL;
    // Added to the connection's error records when the fault strikes.
    std::vector<platform::ErrorRecord> records;
    // Instead of failing, the call goes through and its number or flag out
    // value is replaced by this.
    std::optional<std::int32_t> replaceValue;
};

class FaultPlan {
public:
    void Add(Fault fault);
    // Forgets the faults and the calls seen.
    void Reset();

    // Counts the call, logs it, and returns the fault that strikes it.
    const Fault* Strike(const std::string& call);

    // Every call seen since the last reset, in order, with its argument.
    const std::vector<std::string>& Calls() const { return calls_; }

private:
    struct Armed {
        Fault fault;
        int seen = 0;
    };
    std::vector<Armed> faults_;
    std::vector<std::string> calls_;
};

}  // namespace dbAx::fault
