// The two interfaces the component implements for the host.
#pragma once

#include <cstdint>

#include "host/com.h"
#include "host/kfx_types.h"
#include "host/release_data.h"
#include "host/release_setup_data.h"

namespace kfx {

// Every operation returns HR_S_OK; the outcome travels in the out value.
class IKfxReleaseScript : public IUnknown {
public:
    virtual HRESULT OpenScript(KfxReturnValue* result) = 0;
    virtual HRESULT ReleaseDoc(KfxReturnValue* result) = 0;
    virtual HRESULT CloseScript(KfxReturnValue* result) = 0;
    virtual HRESULT get_DocumentData(IReleaseData** data) = 0;
    virtual HRESULT putref_DocumentData(IReleaseData* data) = 0;

protected:
    ~IKfxReleaseScript() = default;
};

class IKfxReleaseSetupScript : public IUnknown {
public:
    virtual HRESULT OpenScript(KfxReturnValue* result) = 0;
    virtual HRESULT RunUI(KfxReturnValue* result) = 0;
    virtual HRESULT CloseScript(KfxReturnValue* result) = 0;
    virtual HRESULT ActionEvent(KfxActionValue action, const Text& strData1, const Text& strData2,
                                KfxReturnValue* result) = 0;
    virtual HRESULT get_SetupData(IReleaseSetupData** data) = 0;
    virtual HRESULT putref_SetupData(IReleaseSetupData* data) = 0;

protected:
    ~IKfxReleaseSetupScript() = default;
};

inline constexpr Guid IID_IKfxReleaseScript{
    0xD0B556C8, 0x975C, 0x4D36, {0xB8, 0x55, 0x0D, 0xD1, 0xAB, 0x0B, 0x62, 0x55}};
inline constexpr Guid IID_IKfxReleaseSetupScript{
    0x5F5E61B2, 0x0B35, 0x4616, {0xBA, 0xBE, 0x3D, 0xCD, 0xC1, 0x2D, 0x5E, 0x11}};

}  // namespace kfx
