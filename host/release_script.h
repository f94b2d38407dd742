// The two interfaces the component implements for the host.
#pragma once

#include <cstdint>

#include "host/com.h"
#include "host/kessarin_identifiers.h"
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

inline constexpr Guid IID_IKfxReleaseScript = GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_IID_IKFXRELEASESCRIPT));
inline constexpr Guid IID_IKfxReleaseSetupScript =
    GuidLiteral(KESSARIN_UUID_TEXT(KESSARIN_IID_IKFXRELEASESETUPSCRIPT));

}  // namespace kfx
