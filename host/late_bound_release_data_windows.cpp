// The release data of a document and what hangs off it, late-bound.
#include <new>

#include "host/late_bound_host_windows.h"
#include "host/late_bound_custom_properties_windows.h"
#include "host/late_bound_object_windows.h"

namespace kfx::late_bound {
namespace {

class RowValue final : public Object<IRowValue> {
public:
    using Object::Object;
    HRESULT get_Value(Text* value) override { return Host().GetText(L"Value", value); }
};

class RowValues final : public Collection<IRowValues, RowValue> {
public:
    using Collection::Collection;
    HRESULT get_Item(const Variant& row, IRowValue** item) override { return Item(row, item); }
};

// The table rows are asked for by the identifier the host publishes; the
// interface is dual, so the pointer it answers is called through IDispatch.
HRESULT AnswerRowValues(const Guid& iid, ::IUnknown* offered, void** out) {
    if (!(iid == IID_IRowValues)) return HR_E_NOINTERFACE;
    return Make<RowValues, IRowValues>(reinterpret_cast<IDispatch*>(offered), out);
}

class Value final : public Object<IValue> {
public:
    using Object::Object;
    HRESULT get_Destination(Text* destination) override { return Host().GetText(L"Destination", destination); }
    HRESULT get_Value(Text* value) override { return Host().GetText(L"Value", value); }
    HRESULT get_TableName(Text* tableName) override { return Host().GetText(L"TableName", tableName); }
    HRESULT get_RowValues(const Variant& key, kfx::IUnknown** rows) override {
        Arguments arguments;
        arguments.Add(key);
        ::IUnknown* answered = nullptr;
        const HRESULT hr = Host().GetObject(L"RowValues", arguments, &answered);
        return HandOutAskable(hr, answered, AnswerRowValues, rows);
    }
};

class Values final : public Collection<IValues, Value> {
public:
    using Collection::Collection;
    HRESULT get_Item(const Variant& key, IValue** item) override { return Item(key, item); }
};

class ReleaseData final : public WithConnection<IReleaseData> {
public:
    using WithConnection::WithConnection;
    HRESULT get_KofaxPDFFileName(Text* name) override { return Host().GetText(L"KofaxPDFFileName", name); }
    HRESULT get_Values(IValues** values) override {
        return Part<Values>(L"Values", values);
    }
    HRESULT get_CustomProperties(ICustomProperties** properties) override {
        return Part<CustomProperties>(L"CustomProperties", properties);
    }
    HRESULT LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3, const Text& errorMessage,
                     const Text& codeModule, std::int32_t lineNumber) override {
        Arguments arguments;
        arguments.Add(err1).Add(err2).Add(err3).Add(errorMessage).Add(codeModule).Add(lineNumber);
        return Host().Call(L"LogError", arguments);
    }
    HRESULT SendMessage(const Text& messageString, std::int32_t errorNumber, std::int32_t infoRet) override {
        Arguments arguments;
        arguments.Add(messageString).Add(errorNumber).Add(infoRet);
        return Host().Call(L"SendMessage", arguments);
    }
};

}  // namespace

ComPtr<IReleaseData> ReleaseDataOf(IDispatch* object) { return Reach<ReleaseData, IReleaseData>(object); }

}  // namespace kfx::late_bound
