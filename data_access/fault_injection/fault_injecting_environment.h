// A database platform that passes every call on to another one, except the
// calls its fault plan makes fail: the way tests reach every failure rule of
// the layers above with a real database underneath.
#pragma once

#include "data_access/fault_injection/fault_plan.h"
#include "data_access/platform/database.h"

namespace dbAx::fault {

class FaultInjectingEnvironment : public platform::Environment {
public:
    FaultInjectingEnvironment(platform::Environment& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}

    platform::Result Initialize() override;
    void Uninitialize() override;
    platform::Result CreateConnection(std::unique_ptr<platform::Connection>* connection) override;
    platform::Result CreateRecordset(std::unique_ptr<platform::Recordset>* recordset) override;

private:
    platform::Environment& inner_;
    FaultPlan& plan_;
};

}  // namespace dbAx::fault
