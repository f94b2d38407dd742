// The names of the Kofax Capture Values of a document class: a collection
// whose only use is its enumerator.
#pragma once

#include <memory>
#include <vector>

#include "host/release_setup_data.h"
#include "host/variant.h"
#include "host_standin/com_object.h"

namespace standin {

class NameEnumerator final : public ComObject<NameEnumerator, kfx::IEnumVARIANT, kfx::IID_IEnumVARIANT> {
public:
    static constexpr const char* kObjectName = "NameEnumerator";

    NameEnumerator(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> names);

    // HR_S_OK with the next name as a text, HR_S_FALSE and an empty item at the end.
    kfx::HRESULT Next(kfx::Variant* item) override;

private:
    std::vector<kfx::Text> names_;
    std::size_t next_ = 0;
};

class BatchVariableNames final
    : public ComObject<BatchVariableNames, kfx::IBatchVariableNames, kfx::IID_IBatchVariableNames> {
public:
    static constexpr const char* kObjectName = "BatchVariableNames";

    BatchVariableNames(std::shared_ptr<FaultPlan> plan, std::vector<kfx::Text> names);

    // A new enumerator, positioned before the first name, offering IEnumVARIANT.
    kfx::HRESULT get__NewEnum(kfx::IUnknown** enumerator) override;

private:
    std::vector<kfx::Text> names_;
};

}  // namespace standin
