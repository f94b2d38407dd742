#include "host_standin/release_setup_data.h"

#include <exception>

namespace standin {

ReleaseSetupData::ReleaseSetupData(std::shared_ptr<FaultPlan> plan, DocumentClass stored, ApplyTarget target)
    : ComObject(std::move(plan)), committed_(std::move(stored)), name_(committed_.releaseScriptName),
      target_(std::move(target)) {
    customProperties_ = MakeHostObject<CustomProperties>(Plan(), committed_.customProperties);
    links_ = MakeHostObject<Links>(Plan(), committed_.links);
    indexFields_ = MakeHostObject<IndexFields>(Plan(), committed_.indexFields);
    batchVariableNames_ = MakeHostObject<BatchVariableNames>(Plan(), committed_.hostValueNames);
}

kfx::HRESULT ReleaseSetupData::get_ConnectString(kfx::Text* text) {
    return ReadText("get_ConnectString", committed_.connectString, text);
}

kfx::HRESULT ReleaseSetupData::get_UserName(kfx::Text* text) {
    return ReadText("get_UserName", committed_.userName, text);
}

kfx::HRESULT ReleaseSetupData::get_Password(kfx::Text* text) {
    return ReadText("get_Password", committed_.password, text);
}

kfx::HRESULT ReleaseSetupData::get_BatchClassName(kfx::Text* text) {
    return ReadText("get_BatchClassName", committed_.batchClassName, text);
}

kfx::HRESULT ReleaseSetupData::get_DocClassName(kfx::Text* text) {
    return ReadText("get_DocClassName", committed_.documentClassName, text);
}

kfx::HRESULT ReleaseSetupData::get_Name(kfx::Text* text) { return ReadText("get_Name", name_, text); }

kfx::HRESULT ReleaseSetupData::put_Name(const kfx::Text& text) {
    if (kfx::HRESULT hr = Enter("put_Name"); kfx::Failed(hr)) return hr;
    name_ = text;
    return kfx::HR_S_OK;
}

kfx::HRESULT ReleaseSetupData::get_CustomProperties(kfx::ICustomProperties** properties) {
    return HandOut("get_CustomProperties", customProperties_, properties);
}

kfx::HRESULT ReleaseSetupData::get_Links(kfx::ILinks** links) { return HandOut("get_Links", links_, links); }

kfx::HRESULT ReleaseSetupData::get_IndexFields(kfx::IIndexFields** fields) {
    return HandOut("get_IndexFields", indexFields_, fields);
}

kfx::HRESULT ReleaseSetupData::get_BatchVariableNames(kfx::IUnknown** names) {
    return HandOut("get_BatchVariableNames", batchVariableNames_, names);
}

kfx::HRESULT ReleaseSetupData::Apply() {
    if (kfx::HRESULT hr = Enter("Apply"); kfx::Failed(hr)) return hr;
    DocumentClass edited = committed_;
    edited.links = links_->Records();
    edited.releaseScriptName = name_;
    try {
        if (target_) target_(edited);
    } catch (const std::exception& failure) {
        applyFailure_ = failure.what();
        return kfx::HR_E_FAIL;
    }
    committed_ = std::move(edited);
    applyFailure_.clear();
    ++appliedCount_;
    return kfx::HR_S_OK;
}

}  // namespace standin
