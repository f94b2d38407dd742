// Kessarin.dll as the host on Windows meets it: registered by regsvr32,
// found by ProgID, created by the platform, called early and late bound.
#include <gtest/gtest.h>

#include "host/windows_api.h"

#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>

#include <optional>
#include <string>
#include <vector>

#include "host/com.h"
#include "host/release_script.h"
#include "module/identifiers.h"

namespace {

const wchar_t* const kLibrary = KESSARIN_DLL_WINDOWS_PATH;

const GUID& AsGuid(const kfx::Guid& guid) { return reinterpret_cast<const GUID&>(guid); }

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The value, or nothing when the key or the value is missing.
std::optional<std::wstring> ValueOf(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

bool KeyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// regsvr32 of the platform, silently; its exit code.
DWORD Regsvr32(const std::wstring& options) {
    std::wstring command = L"regsvr32.exe /s " + options + L" \"" + kLibrary + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ~DWORD{0};
    WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = ~DWORD{0};
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

struct ClassCase {
    const wchar_t* progId;
    kfx::Guid clsid;
    kfx::Guid iid;
};

const ClassCase kClasses[] = {
    {L"Kessarin.BrinmoorExportConnector", veldmark::CLSID_BrinmoorExportConnector, kfx::IID_IKfxReleaseScript},
    {L"Kessarin.TarvelSetupScript", veldmark::CLSID_TarvelSetupScript, kfx::IID_IKfxReleaseSetupScript},
};

class ComServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override {
        Regsvr32(L"/u");
        CoUninitialize();
    }
};

TEST_F(ComServerTest, RegistersEveryKeyOnceAndUnregistersWhatIsItsOwn) {
    ASSERT_EQ(Regsvr32(L""), 0u);
    const std::wstring appId = Wide(kfx::GuidToString(veldmark::APPID_Kessarin));
    EXPECT_EQ(ValueOf(L"AppID\\" + appId), L"Kessarin");
    EXPECT_EQ(ValueOf(L"AppID\\Kessarin.DLL", L"AppID"), appId);
    for (const ClassCase& c : kClasses) {
        const std::wstring clsid = Wide(kfx::GuidToString(c.clsid));
        const std::wstring key = L"CLSID\\" + clsid;
        EXPECT_EQ(ValueOf(std::wstring(c.progId) + L"\\CLSID"), clsid);
        EXPECT_EQ(ValueOf(key), c.progId);
        EXPECT_EQ(ValueOf(key + L"\\ProgID"), c.progId);
        EXPECT_TRUE(KeyExists(key + L"\\Programmable"));
        EXPECT_EQ(ValueOf(key + L"\\InprocServer32"), kLibrary);
        EXPECT_EQ(ValueOf(key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
        EXPECT_EQ(ValueOf(key, L"AppID"), appId);
        EXPECT_TRUE(ValueOf(key + L"\\TypeLib").has_value());
        // What an earlier registration left goes: one set of keys.
        HKEY stray = nullptr;
        ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, (key + L"\\Stray").c_str(), &stray), ERROR_SUCCESS);
        RegCloseKey(stray);
    }
    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(AsGuid(veldmark::LIBID_Kessarin), 1, 0, 0x409, &library), S_OK);
    library->Release();

    ASSERT_EQ(Regsvr32(L""), 0u) << "registering again";
    for (const ClassCase& c : kClasses) {
        EXPECT_FALSE(KeyExists(L"CLSID\\" + Wide(kfx::GuidToString(c.clsid)) + L"\\Stray")) << c.progId;
    }

    ASSERT_EQ(Regsvr32(L"/u"), 0u);
    EXPECT_FALSE(KeyExists(L"AppID\\" + appId));
    EXPECT_FALSE(KeyExists(L"AppID\\Kessarin.DLL"));
    EXPECT_TRUE(KeyExists(L"AppID")) << "shared with other components";
    EXPECT_TRUE(KeyExists(L"CLSID")) << "shared with other components";
    for (const ClassCase& c : kClasses) {
        EXPECT_FALSE(KeyExists(c.progId));
        EXPECT_FALSE(KeyExists(L"CLSID\\" + Wide(kfx::GuidToString(c.clsid))));
    }
    EXPECT_NE(LoadRegTypeLib(AsGuid(veldmark::LIBID_Kessarin), 1, 0, 0x409, &library), S_OK);
    EXPECT_EQ(Regsvr32(L"/u"), 0u) << "unregistering what is not registered";
}

struct MemberCase {
    const wchar_t* name;
    INVOKEKIND kind;
    MEMBERID id;
};

// The type library as a client reads it: the classes under the registry's
// identifiers, each interface's operations in their order after IDispatch's.
TEST_F(ComServerTest, TheTypeLibraryDescribesBothClassesAndTheirOperationsInOrder) {
    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadTypeLibEx(kLibrary, REGKIND_NONE, &library), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, AsGuid(veldmark::LIBID_Kessarin)));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0x409u);
    library->ReleaseTLibAttr(attributes);

    const std::vector<MemberCase> release = {{L"OpenScript", INVOKE_FUNC, 0x60020000},
                                             {L"ReleaseDoc", INVOKE_FUNC, 0x60020001},
                                             {L"CloseScript", INVOKE_FUNC, 0x60020002},
                                             {L"DocumentData", INVOKE_PROPERTYGET, 0x60020003},
                                             {L"DocumentData", INVOKE_PROPERTYPUTREF, 0x60020003}};
    const std::vector<MemberCase> setup = {{L"OpenScript", INVOKE_FUNC, 0x60020000},
                                           {L"RunUI", INVOKE_FUNC, 0x60020001},
                                           {L"CloseScript", INVOKE_FUNC, 0x60020002},
                                           {L"ActionEvent", INVOKE_FUNC, 0x60020003},
                                           {L"SetupData", INVOKE_PROPERTYGET, 0x60020004},
                                           {L"SetupData", INVOKE_PROPERTYPUTREF, 0x60020004}};
    const std::vector<MemberCase>* members[] = {&release, &setup};
    for (std::size_t k = 0; k < 2; ++k) {
        ITypeInfo* coclass = nullptr;
        ASSERT_EQ(library->GetTypeInfoOfGuid(AsGuid(kClasses[k].clsid), &coclass), S_OK) << k;
        HREFTYPE reference = 0;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
        ITypeInfo* dispatchView = nullptr;
        ASSERT_EQ(coclass->GetRefTypeInfo(reference, &dispatchView), S_OK);
        // A dual interface is described twice: for IDispatch, and as its table (-1).
        ITypeInfo* described = nullptr;
        ASSERT_EQ(dispatchView->GetRefTypeOfImplType(-1, &reference), S_OK);
        ASSERT_EQ(dispatchView->GetRefTypeInfo(reference, &described), S_OK);
        dispatchView->Release();
        TYPEATTR* type = nullptr;
        ASSERT_EQ(described->GetTypeAttr(&type), S_OK);
        EXPECT_TRUE(IsEqualGUID(type->guid, AsGuid(kClasses[k].iid))) << k;
        EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL) << k;
        ASSERT_EQ(type->cFuncs, members[k]->size()) << k;
        short lastSlot = 6 * sizeof(void*);  // IUnknown's three and IDispatch's four before them
        for (UINT f = 0; f < type->cFuncs; ++f) {
            FUNCDESC* function = nullptr;
            ASSERT_EQ(described->GetFuncDesc(f, &function), S_OK);
            BSTR name = nullptr;
            described->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
            EXPECT_STREQ(name, (*members[k])[f].name) << k << " " << f;
            EXPECT_EQ(function->invkind, (*members[k])[f].kind) << k << " " << f;
            EXPECT_EQ(function->memid, (*members[k])[f].id) << k << " " << f;
            EXPECT_EQ(function->oVft, lastSlot + static_cast<short>(sizeof(void*))) << k << " " << f;
            lastSlot = function->oVft;
            SysFreeString(name);
            described->ReleaseFuncDesc(function);
        }
        described->ReleaseTypeAttr(type);
        described->Release();
        coclass->Release();
    }
    library->Release();
}

// A host object of the test's own, as the host hands its release data over.
class HostObject final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
    ULONG references = 1;  // the test's own
};

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
}

// Calls a method without arguments by name; its result as a number.
long CallByName(IDispatch* object, const wchar_t* name) {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                             nullptr, nullptr),
              S_OK)
        << name;
    EXPECT_EQ(VariantChangeType(&result, &result, 0, VT_I4), S_OK);
    return result.lVal;
}

// Sets the host's object by name, as a script host does, and reads it back.
IDispatch* SetAndGetByName(IDispatch* object, const wchar_t* property, IDispatch* host) {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = host;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&argument, &named, 1, 1};
    EXPECT_EQ(object->Invoke(IdOf(object, property), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUTREF, &put,
                             nullptr, nullptr, nullptr),
              S_OK);
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(object->Invoke(IdOf(object, property), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             &result, nullptr, nullptr),
              S_OK);
    IDispatch* got = result.vt == VT_DISPATCH ? result.pdispVal : nullptr;
    if (got) got->AddRef();
    VariantClear(&result);
    if (got) got->Release();
    return got;
}

TEST_F(ComServerTest, BothClassesAreCreatedByProgIdAndAnswerEarlyAndLateBound) {
    ASSERT_EQ(Regsvr32(L""), 0u);
    for (const ClassCase& c : kClasses) {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(c.progId, &clsid), S_OK) << c.progId;
        EXPECT_TRUE(IsEqualGUID(clsid, AsGuid(c.clsid)));
        IDispatch* object = nullptr;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, AsGuid(c.iid), reinterpret_cast<void**>(&object)),
                  S_OK)
            << c.progId;
        // The operations follow IDispatch's in the interface's table; OpenScript is the first.
        using Operation = HRESULT(STDMETHODCALLTYPE*)(IDispatch*, long*);
        void** table = *reinterpret_cast<void***>(object);
        long early = -99;
        EXPECT_EQ(reinterpret_cast<Operation>(table[7])(object, &early), S_OK);
        EXPECT_EQ(early, 0) << "OpenScript: KFX_REL_SUCCESS";
        EXPECT_EQ(CallByName(object, L"OpenScript"), early);
        EXPECT_EQ(CallByName(object, L"CloseScript"), 0);

        HostObject host;
        const bool release = IsEqualGUID(AsGuid(c.iid), AsGuid(kfx::IID_IKfxReleaseScript));
        EXPECT_EQ(SetAndGetByName(object, release ? L"DocumentData" : L"SetupData", &host), &host);
        EXPECT_GT(host.references, 1u) << "the component holds the host's object";
        // The release data a release object was given stays the process's
        // current one until a script is closed.
        EXPECT_EQ(CallByName(object, L"CloseScript"), 0);
        EXPECT_EQ(object->Release(), 0u);
        EXPECT_EQ(host.references, 1u) << c.progId << " lets the host's object go once closed and released";
    }
}

// An outer object that aggregates one of the classes: the inner object's
// interfaces answer for the outer one.
class Outer final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, object) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    IUnknown* inner = nullptr;
    ULONG references = 1;
};

TEST_F(ComServerTest, EachClassCanBeAggregated) {
    ASSERT_EQ(Regsvr32(L""), 0u);
    for (const ClassCase& c : kClasses) {
        Outer outer;
        void* refused = nullptr;
        EXPECT_EQ(CoCreateInstance(AsGuid(c.clsid), &outer, CLSCTX_INPROC_SERVER, AsGuid(c.iid), &refused),
                  CLASS_E_NOAGGREGATION);
        ASSERT_EQ(CoCreateInstance(AsGuid(c.clsid), &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   reinterpret_cast<void**>(&outer.inner)),
                  S_OK)
            << c.progId;
        IDispatch* script = nullptr;
        ASSERT_EQ(outer.QueryInterface(AsGuid(c.iid), reinterpret_cast<void**>(&script)), S_OK);
        IUnknown* identity = nullptr;
        ASSERT_EQ(script->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, static_cast<IUnknown*>(&outer)) << "the outer object is the identity";
        identity->Release();
        EXPECT_EQ(CallByName(script, L"OpenScript"), 0);
        script->Release();
        EXPECT_EQ(outer.references, 1u);
        EXPECT_EQ(outer.inner->Release(), 0u);
    }
}

TEST_F(ComServerTest, CanUnloadOnlyWhenNoObjectClassObjectOrLockIsLeft) {
    HMODULE module = LoadLibraryW(kLibrary);
    ASSERT_NE(module, nullptr);
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    auto getClassObject = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    for (const ClassCase& c : kClasses) {
        IClassFactory* factory = nullptr;
        ASSERT_EQ(getClassObject(AsGuid(c.clsid), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        IClassFactory* again = nullptr;
        ASSERT_EQ(getClassObject(AsGuid(c.clsid), IID_IClassFactory, reinterpret_cast<void**>(&again)), S_OK);
        EXPECT_EQ(again, factory) << "one class object per class";
        again->Release();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a client holds the class object";
        IUnknown* object = nullptr;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
        factory->Release();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object lives";
        object->Release();
        EXPECT_EQ(canUnloadNow(), S_OK);
        ASSERT_EQ(getClassObject(AsGuid(c.clsid), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        factory->LockServer(TRUE);
        factory->Release();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a server lock is held";
        ASSERT_EQ(getClassObject(AsGuid(c.clsid), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        factory->LockServer(FALSE);
        factory->Release();
        EXPECT_EQ(canUnloadNow(), S_OK);
    }
    FreeLibrary(module);
}

// What regsvr32 has the component write: resources 11000 to 11002.
TEST_F(ComServerTest, CarriesItsRegistryScriptsAsResources) {
    HMODULE module = LoadLibraryExW(kLibrary, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const struct {
        int id;
        const char* names;
    } scripts[] = {{11000, "Kessarin.DLL"}, {11001, "Kessarin.BrinmoorExportConnector"}, {11002, "Kessarin.TarvelSetupScript"}};
    for (const auto& script : scripts) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(script.id), L"REGISTRY");
        ASSERT_NE(found, nullptr) << script.id;
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string text(bytes, SizeofResource(module, found));
        EXPECT_EQ(text.rfind("HKCR", 0), 0u) << script.id;
        EXPECT_NE(text.find(script.names), std::string::npos) << script.id;
    }
    FreeLibrary(module);
}

// What the General page's version label shows.
TEST_F(ComServerTest, CarriesTheProjectVersionInItsVersionResource) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kLibrary, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(kLibrary, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(version, VELDMARK_PROJECT_VERSION);
}

}  // namespace
