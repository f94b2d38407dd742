// The component's setup object: the host hands it the setup data of one
// document class and asks it to show the settings sheet.
#pragma once

#include <cstdint>
#include <memory>

#include "host/release_script.h"
#include "setup/settings_sheet_runner.h"

namespace veldmark {

class TarvelSetupScript final : public kfx::IKfxReleaseSetupScript {
public:
    // Creates an instance and hands out the requested interface. With an outer
    // object the instance is aggregated, and only IUnknown may be asked for.
    static kfx::HRESULT Create(kfx::IUnknown* outer, const kfx::Guid& iid, void** object,
                               std::unique_ptr<SettingsSheetRunner> runner);

    TarvelSetupScript(const TarvelSetupScript&) = delete;
    TarvelSetupScript& operator=(const TarvelSetupScript&) = delete;

    // IUnknown, delegating to the controlling object.
    kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;

    // IKfxReleaseSetupScript.
    kfx::HRESULT OpenScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT RunUI(kfx::KfxReturnValue* result) override;
    kfx::HRESULT CloseScript(kfx::KfxReturnValue* result) override;
    kfx::HRESULT ActionEvent(kfx::KfxActionValue action, const kfx::Text& strData1, const kfx::Text& strData2,
                             kfx::KfxReturnValue* result) override;
    kfx::HRESULT get_SetupData(kfx::IReleaseSetupData** data) override;
    kfx::HRESULT putref_SetupData(kfx::IReleaseSetupData* data) override;

private:
    // The object's own identity, which an outer object holds when it aggregates this one.
    class InnerUnknown final : public kfx::IUnknown {
    public:
        explicit InnerUnknown(TarvelSetupScript& owner) : owner_(owner) {}
        kfx::HRESULT QueryInterface(const kfx::Guid& iid, void** object) override;
        std::uint32_t AddRef() override;
        std::uint32_t Release() override;

    private:
        TarvelSetupScript& owner_;
    };

    TarvelSetupScript(kfx::IUnknown* outer, std::unique_ptr<SettingsSheetRunner> runner);
    ~TarvelSetupScript();

    void ShowSheetAndSave();

    InnerUnknown inner_{*this};
    kfx::IUnknown* controlling_;
    // Plain count: the host drives each object from one thread at a time.
    std::uint32_t references_ = 0;
    std::unique_ptr<SettingsSheetRunner> runner_;
    kfx::ComPtr<kfx::IReleaseSetupData> setupData_;
};

}  // namespace veldmark
