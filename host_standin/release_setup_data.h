// The setup data of one document class: what the host hands the setup script
// through SetupData. Links and name are edited in place and reach the store
// only through Apply.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/release_setup_data.h"
#include "host_standin/batch_variable_names.h"
#include "host_standin/com_object.h"
#include "host_standin/custom_properties.h"
#include "host_standin/document_class.h"
#include "host_standin/index_fields.h"
#include "host_standin/links.h"

namespace standin {

// Stores a committed document class; throws std::exception when it cannot.
using ApplyTarget = std::function<void(const DocumentClass&)>;

class ReleaseSetupData final
    : public ComObject<ReleaseSetupData, kfx::IReleaseSetupData, kfx::IID_IReleaseSetupData> {
public:
    static constexpr const char* kObjectName = "ReleaseSetupData";

    // The plan and the target may be empty; without a target Apply commits in
    // memory only.
    ReleaseSetupData(std::shared_ptr<FaultPlan> plan, DocumentClass stored, ApplyTarget target);

    kfx::HRESULT get_ConnectString(kfx::Text* text) override;
    kfx::HRESULT get_UserName(kfx::Text* text) override;
    kfx::HRESULT get_Password(kfx::Text* text) override;
    kfx::HRESULT get_BatchClassName(kfx::Text* text) override;
    kfx::HRESULT get_DocClassName(kfx::Text* text) override;
    kfx::HRESULT get_Name(kfx::Text* text) override;
    kfx::HRESULT put_Name(const kfx::Text& text) override;
    kfx::HRESULT get_CustomProperties(kfx::ICustomProperties** properties) override;
    kfx::HRESULT get_Links(kfx::ILinks** links) override;
    kfx::HRESULT get_IndexFields(kfx::IIndexFields** fields) override;
    kfx::HRESULT get_BatchVariableNames(kfx::IUnknown** names) override;
    // Hands the edited links and name to the target. When the target throws,
    // answers HR_E_FAIL, keeps the reason and commits nothing.
    kfx::HRESULT Apply() override;

    // The document class as last committed (as loaded until the first Apply).
    const DocumentClass& Committed() const { return committed_; }
    int AppliedCount() const { return appliedCount_; }
    // Why the last Apply failed; empty after a successful one.
    const std::string& ApplyFailure() const { return applyFailure_; }

private:
    DocumentClass committed_;
    kfx::Text name_;
    ApplyTarget target_;
    kfx::ComPtr<CustomProperties> customProperties_;
    kfx::ComPtr<Links> links_;
    kfx::ComPtr<IndexFields> indexFields_;
    kfx::ComPtr<BatchVariableNames> batchVariableNames_;
    int appliedCount_ = 0;
    std::string applyFailure_;
};

}  // namespace standin
