// The links of a document class as setup edits them. Edits stay in this
// working list until ReleaseSetupData.Apply commits them.
#pragma once

#include <memory>
#include <vector>

#include "host/release_setup_data.h"
#include "host_standin/com_object.h"
#include "host_standin/records.h"

namespace standin {

class Link final : public ComObject<Link, kfx::ILink, kfx::IID_ILink> {
public:
    static constexpr const char* kObjectName = "Link";

    Link(std::shared_ptr<FaultPlan> plan, LinkRecord record);

    kfx::HRESULT get_Source(kfx::Text* source) override;
    kfx::HRESULT get_SourceType(std::int32_t* sourceType) override;
    kfx::HRESULT get_Destination(kfx::Text* destination) override;

private:
    LinkRecord record_;
};

class Links final : public ComObject<Links, kfx::ILinks, kfx::IID_ILinks> {
public:
    static constexpr const char* kObjectName = "Links";

    Links(std::shared_ptr<FaultPlan> plan, std::vector<LinkRecord> links);

    kfx::HRESULT get_Count(std::int32_t* count) override;
    // By 1-based position; the link handed out is a snapshot.
    kfx::HRESULT get_Item(const kfx::Variant& position, kfx::ILink** item) override;
    kfx::HRESULT RemoveAll() override;
    // A source type outside -1 to 4 gives HR_E_INVALIDARG and adds nothing, so
    // the store never holds a link it could not read back.
    kfx::HRESULT Add(const kfx::Text& source, std::int32_t sourceType, const kfx::Text& destination) override;

    const std::vector<LinkRecord>& Records() const { return links_; }

private:
    std::vector<LinkRecord> links_;
};

// The source types the host knows, from "no mapping" (-1) to "document id" (4).
bool IsKnownSourceType(std::int32_t sourceType);

}  // namespace standin
