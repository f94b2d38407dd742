// Creates the component's objects by calling its creation functions
// directly, the component being linked into the veldmark command.
#pragma once

#include <map>
#include <string>

#include "host_standin/component_loader.h"

namespace standin {

// The shape of the component's creation functions; `outer` is the
// controlling object of an aggregate, null here.
using CreateFunction = kfx::HRESULT (*)(kfx::IUnknown* outer, const kfx::Guid& iid, void** object);

class InProcessLoader final : public ComponentLoader {
public:
    explicit InProcessLoader(std::map<std::string, CreateFunction> classes) : classes_(std::move(classes)) {}

    // A ProgID without a creation function gives HR_CLASS_E_CLASSNOTAVAILABLE.
    kfx::HRESULT CreateInstance(const std::string& progId, const kfx::Guid& iid, void** object) override;

private:
    std::map<std::string, CreateFunction> classes_;
};

}  // namespace standin
