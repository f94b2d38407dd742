#include "host_standin/links.h"

#include "host/kfx_types.h"
#include "host_standin/collection_key.h"

namespace standin {

bool IsKnownSourceType(std::int32_t sourceType) {
    return sourceType >= kfx::KFX_REL_UNDEFINED_LINK && sourceType <= kfx::KFX_REL_DOCUMENTID;
}

Link::Link(std::shared_ptr<FaultPlan> plan, LinkRecord record)
    : ComObject(std::move(plan)), record_(std::move(record)) {}

kfx::HRESULT Link::get_Source(kfx::Text* source) { return ReadText("get_Source", record_.source, source); }

kfx::HRESULT Link::get_SourceType(std::int32_t* sourceType) {
    const kfx::HRESULT hr = Enter("get_SourceType");
    if (!sourceType) return kfx::HR_E_POINTER;
    *sourceType = kfx::Failed(hr) ? kfx::KFX_REL_UNDEFINED_LINK : record_.sourceType;
    return hr;
}

kfx::HRESULT Link::get_Destination(kfx::Text* destination) {
    return ReadText("get_Destination", record_.destination, destination);
}

Links::Links(std::shared_ptr<FaultPlan> plan, std::vector<LinkRecord> links)
    : ComObject(std::move(plan)), links_(std::move(links)) {}

kfx::HRESULT Links::get_Count(std::int32_t* count) {
    const kfx::HRESULT hr = Enter("get_Count");
    if (!count) return kfx::HR_E_POINTER;
    *count = kfx::Failed(hr) ? 0 : static_cast<std::int32_t>(links_.size());
    return hr;
}

kfx::HRESULT Links::get_Item(const kfx::Variant& position, kfx::ILink** item) {
    kfx::HRESULT hr = Enter("get_Item");
    if (!item) return kfx::HR_E_POINTER;
    *item = nullptr;
    if (kfx::Failed(hr)) return hr;
    std::size_t index = 0;
    if (hr = PositionIndex(position, links_.size(), index); kfx::Failed(hr)) return hr;
    return HandOutUnchecked(MakeHostObject<Link>(Plan(), links_[index]), item);
}

kfx::HRESULT Links::RemoveAll() {
    if (kfx::HRESULT hr = Enter("RemoveAll"); kfx::Failed(hr)) return hr;
    links_.clear();
    return kfx::HR_S_OK;
}

kfx::HRESULT Links::Add(const kfx::Text& source, std::int32_t sourceType, const kfx::Text& destination) {
    if (kfx::HRESULT hr = Enter("Add"); kfx::Failed(hr)) return hr;
    if (!IsKnownSourceType(sourceType)) return kfx::HR_E_INVALIDARG;
    links_.push_back({source, sourceType, destination});
    return kfx::HR_S_OK;
}

}  // namespace standin
