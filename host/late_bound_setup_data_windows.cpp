// The setup data of a document class and what hangs off it, late-bound.
#include <new>

#include "host/automation_values_windows.h"
#include "host/late_bound_host_windows.h"
#include "host/late_bound_custom_properties_windows.h"
#include "host/late_bound_object_windows.h"

namespace kfx::late_bound {
namespace {

class Link final : public Object<ILink> {
public:
    using Object::Object;
    HRESULT get_Source(Text* source) override { return Host().GetText(L"Source", source); }
    HRESULT get_SourceType(std::int32_t* sourceType) override { return Host().GetInteger(L"SourceType", sourceType); }
    HRESULT get_Destination(Text* destination) override { return Host().GetText(L"Destination", destination); }
};

class Links final : public Collection<ILinks, Link> {
public:
    using Collection::Collection;
    HRESULT get_Item(const Variant& position, ILink** item) override { return Item(position, item); }
    HRESULT RemoveAll() override {
        Arguments none;
        return Host().Call(L"RemoveAll", none);
    }
    HRESULT Add(const Text& source, std::int32_t sourceType, const Text& destination) override {
        Arguments arguments;
        arguments.Add(source).Add(sourceType).Add(destination);
        return Host().Call(L"Add", arguments);
    }
};

class IndexField final : public Object<IIndexField> {
public:
    using Object::Object;
    HRESULT get_Name(Text* name) override { return Host().GetText(L"Name", name); }
};

class IndexFields final : public Collection<IIndexFields, IndexField> {
public:
    using Collection::Collection;
    HRESULT get_Item(const Variant& position, IIndexField** item) override { return Item(position, item); }
};

// The platform's own enumerator, whose interface is the standard one.
class Enumerator final : public Counted<kfx::IEnumVARIANT, IID_IEnumVARIANT> {
public:
    explicit Enumerator(::IEnumVARIANT* enumerator) : enumerator_(enumerator) {}

    HRESULT Next(Variant* item) override {
        if (!item) return HR_E_POINTER;
        automation::OwnedVariant fetched;
        ULONG count = 0;
        const ::HRESULT hr = enumerator_->Next(1, fetched.Put(), &count);
        if (FAILED(hr)) return static_cast<HRESULT>(hr);
        if (hr != S_OK || count != 1) return HR_S_FALSE;
        return automation::FromVariant(fetched.Get(), item);
    }

private:
    ComPtr<::IEnumVARIANT> enumerator_;
};

HRESULT AnswerEnumerator(const Guid& iid, ::IUnknown* offered, void** out) {
    if (!(iid == IID_IEnumVARIANT)) return HR_E_NOINTERFACE;
    return Make<Enumerator, kfx::IEnumVARIANT>(reinterpret_cast<::IEnumVARIANT*>(offered), out);
}

class BatchVariableNames final : public Object<IBatchVariableNames> {
public:
    using Object::Object;
    HRESULT get__NewEnum(kfx::IUnknown** enumerator) override {
        ::IUnknown* answered = nullptr;
        const HRESULT hr = Host().GetEnumerator(&answered);
        return HandOutAskable(hr, answered, AnswerEnumerator, enumerator);
    }
};

// The collection of value names is offered under either of two identifiers,
// both dual.
HRESULT AnswerBatchVariableNames(const Guid& iid, ::IUnknown* offered, void** out) {
    if (!(iid == IID_IBatchVariableNames || iid == IID_IBatchVariableNamesLegacy)) return HR_E_NOINTERFACE;
    return Make<BatchVariableNames, IBatchVariableNames>(reinterpret_cast<IDispatch*>(offered), out);
}

class ReleaseSetupData final : public WithConnection<IReleaseSetupData> {
public:
    using WithConnection::WithConnection;
    HRESULT get_BatchClassName(Text* text) override { return Host().GetText(L"BatchClassName", text); }
    HRESULT get_DocClassName(Text* text) override { return Host().GetText(L"DocClassName", text); }
    HRESULT get_Name(Text* text) override { return Host().GetText(L"Name", text); }
    HRESULT put_Name(const Text& text) override { return Host().PutText(L"Name", text); }
    HRESULT get_CustomProperties(ICustomProperties** properties) override {
        return Part<CustomProperties>(L"CustomProperties", properties);
    }
    HRESULT get_Links(ILinks** links) override { return Part<Links>(L"Links", links); }
    HRESULT get_IndexFields(IIndexFields** fields) override { return Part<IndexFields>(L"IndexFields", fields); }
    HRESULT get_BatchVariableNames(kfx::IUnknown** names) override {
        Arguments none;
        ::IUnknown* answered = nullptr;
        const HRESULT hr = Host().GetObject(L"BatchVariableNames", none, &answered);
        return HandOutAskable(hr, answered, AnswerBatchVariableNames, names);
    }
    HRESULT Apply() override {
        Arguments none;
        return Host().Call(L"Apply", none);
    }
};

}  // namespace

ComPtr<IReleaseSetupData> ReleaseSetupDataOf(IDispatch* object) {
    return Reach<ReleaseSetupData, IReleaseSetupData>(object);
}

}  // namespace kfx::late_bound
