// The component as the stand-in host reaches it on Windows: its classes are
// created by ProgID through the platform's class registry, and driven through
// their dual interfaces; the host's own objects go to them as automation
// objects that answer only by member name.
#pragma once

#include "host_standin/component_loader.h"

namespace standin {

class ComClassLoader final : public ComponentLoader {
public:
    // Failures are explained on `err` before their result is returned.
    explicit ComClassLoader(std::ostream& err) : err_(err) {}

    // Hands out the host's view of the class: kfx::IKfxReleaseScript or
    // kfx::IKfxReleaseSetupScript, over the component's interface.
    kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) override;

private:
    std::ostream& err_;
};

}  // namespace standin
