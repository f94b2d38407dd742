// The setup data of a document class and what hangs off it, by member name.
#include <new>

#include "host/automation_values_windows.h"
#include "host_standin/automation_members_windows.h"

namespace standin::automation {
namespace {

const Member<kfx::ILink> kLink[] = {
    {L"Source", kGet, TextProperty<&kfx::ILink::get_Source>},
    {L"SourceType", kGet, IntegerProperty<&kfx::ILink::get_SourceType>},
    {L"Destination", kGet, TextProperty<&kfx::ILink::get_Destination>},
};

kfx::HRESULT RemoveAll(kfx::ILinks& links, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    return links.RemoveAll();
}

kfx::HRESULT Add(kfx::ILinks& links, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(3); kfx::Failed(hr)) return hr;
    kfx::Text source, destination;
    std::int32_t sourceType = 0;
    for (kfx::HRESULT hr : {invocation.Text(0, &source), invocation.Integer(1, &sourceType),
                            invocation.Text(2, &destination)})
        if (kfx::Failed(hr)) return hr;
    return links.Add(source, sourceType, destination);
}

const Member<kfx::ILinks> kLinks[] = {
    {L"Count", kGet, IntegerProperty<&kfx::ILinks::get_Count>},
    {L"Item", kGet | kMethod, ItemProperty<&kfx::ILinks::get_Item, kfx::ILink>},
    {L"RemoveAll", kMethod, RemoveAll},
    {L"Add", kMethod, Add},
};

const Member<kfx::IIndexField> kIndexField[] = {
    {L"Name", kGet, TextProperty<&kfx::IIndexField::get_Name>},
};

const Member<kfx::IIndexFields> kIndexFields[] = {
    {L"Count", kGet, IntegerProperty<&kfx::IIndexFields::get_Count>},
    {L"Item", kGet | kMethod, ItemProperty<&kfx::IIndexFields::get_Item, kfx::IIndexField>},
};

// The standard enumerator over the stand-in's own.
class Enumerator final : public ::IEnumVARIANT {
public:
    explicit Enumerator(kfx::IEnumVARIANT* names) : names_(names) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEnumVARIANT)) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<::IEnumVARIANT*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (!items) return E_POINTER;
        ULONG done = 0;
        kfx::HRESULT hr = kfx::HR_S_OK;
        for (; done < count; ++done) {
            kfx::Variant item;
            hr = names_->Next(&item);
            if (hr != kfx::HR_S_OK) break;
            hr = kfx::automation::ToVariant(item, &items[done]);
            if (kfx::Failed(hr)) break;
        }
        if (fetched) *fetched = done;
        if (kfx::Failed(hr)) {
            for (ULONG i = 0; i < done; ++i) VariantClear(&items[i]);
            if (fetched) *fetched = 0;
            return static_cast<HRESULT>(hr);
        }
        return done == count ? S_OK : S_FALSE;
    }
    // The component reads the names once, from the start.
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(::IEnumVARIANT** copy) override {
        if (copy) *copy = nullptr;
        return E_NOTIMPL;
    }

private:
    ~Enumerator() = default;

    kfx::ComPtr<kfx::IEnumVARIANT> names_;
    std::atomic<ULONG> references_{0};
};

kfx::HRESULT NewEnum(kfx::IBatchVariableNames& names, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    kfx::IUnknown* answered = nullptr;
    const kfx::HRESULT hr = names.get__NewEnum(&answered);
    const kfx::ComPtr<kfx::IUnknown> held = kfx::ComPtr<kfx::IUnknown>::Adopt(answered);
    if (kfx::Failed(hr) || !held) return invocation.ReturnObject(hr, nullptr, VT_UNKNOWN);
    kfx::ComPtr<kfx::IEnumVARIANT> enumerator;
    if (kfx::HRESULT asked = kfx::QueryInterfaceAs(held.Get(), kfx::IID_IEnumVARIANT, enumerator); kfx::Failed(asked))
        return asked;
    Enumerator* made = new (std::nothrow) Enumerator(enumerator.Get());
    if (made) made->AddRef();
    return invocation.ReturnObject(hr, made, VT_UNKNOWN);
}

const Member<kfx::IBatchVariableNames> kBatchVariableNames[] = {
    {kNewEnum, kGet | kMethod, NewEnum},
};

// The collection of value names answers to either of its two identifiers.
kfx::HRESULT MakeBatchVariableNames(kfx::IUnknown* answered, ::IUnknown** out) {
    *out = Wrap(static_cast<kfx::IBatchVariableNames*>(answered), kBatchVariableNames);
    return *out ? kfx::HR_S_OK : kfx::HR_E_OUTOFMEMORY;
}

const Offer kBatchVariableNamesOffers[] = {
    {&kfx::IID_IBatchVariableNames, MakeBatchVariableNames},
    {&kfx::IID_IBatchVariableNamesLegacy, MakeBatchVariableNames},
};

kfx::HRESULT BatchVariableNamesProperty(kfx::IReleaseSetupData& data, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    kfx::IUnknown* names = nullptr;
    const kfx::HRESULT hr = data.get_BatchVariableNames(&names);
    return ReturnAskable(invocation, hr, names, kBatchVariableNamesOffers);
}

kfx::HRESULT NameProperty(kfx::IReleaseSetupData& data, Invocation& invocation) {
    if (!invocation.IsPut()) return TextProperty<&kfx::IReleaseSetupData::get_Name>(data, invocation);
    if (kfx::HRESULT hr = invocation.Expect(1); kfx::Failed(hr)) return hr;
    kfx::Text name;
    if (kfx::HRESULT hr = invocation.Text(0, &name); kfx::Failed(hr)) return hr;
    return data.put_Name(name);
}

kfx::HRESULT Apply(kfx::IReleaseSetupData& data, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(0); kfx::Failed(hr)) return hr;
    return data.Apply();
}

const Member<kfx::IReleaseSetupData> kReleaseSetupData[] = {
    {L"ConnectString", kGet, TextProperty<&kfx::IReleaseSetupData::get_ConnectString>},
    {L"UserName", kGet, TextProperty<&kfx::IReleaseSetupData::get_UserName>},
    {L"Password", kGet, TextProperty<&kfx::IReleaseSetupData::get_Password>},
    {L"BatchClassName", kGet, TextProperty<&kfx::IReleaseSetupData::get_BatchClassName>},
    {L"DocClassName", kGet, TextProperty<&kfx::IReleaseSetupData::get_DocClassName>},
    {L"Name", kGet | kPut, NameProperty},
    {L"CustomProperties", kGet,
     ObjectProperty<&kfx::IReleaseSetupData::get_CustomProperties, kfx::ICustomProperties>},
    {L"Links", kGet, ObjectProperty<&kfx::IReleaseSetupData::get_Links, kfx::ILinks>},
    {L"IndexFields", kGet, ObjectProperty<&kfx::IReleaseSetupData::get_IndexFields, kfx::IIndexFields>},
    {L"BatchVariableNames", kGet, BatchVariableNamesProperty},
    {L"Apply", kMethod, Apply},
};

}  // namespace

::IDispatch* AutomationObjectOf(kfx::IReleaseSetupData* data) { return Wrap(data, kReleaseSetupData); }
::IDispatch* AutomationObjectOf(kfx::ILinks* links) { return Wrap(links, kLinks); }
::IDispatch* AutomationObjectOf(kfx::ILink* link) { return Wrap(link, kLink); }
::IDispatch* AutomationObjectOf(kfx::IIndexFields* fields) { return Wrap(fields, kIndexFields); }
::IDispatch* AutomationObjectOf(kfx::IIndexField* field) { return Wrap(field, kIndexField); }

}  // namespace standin::automation
