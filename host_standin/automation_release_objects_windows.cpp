// The release data of a document and what hangs off it, by member name.
#include "host_standin/automation_members_windows.h"

namespace standin::automation {
namespace {

const Member<kfx::IRowValue> kRowValue[] = {
    {L"Value", kGet, TextProperty<&kfx::IRowValue::get_Value>},
};

const Member<kfx::IRowValues> kRowValues[] = {
    {L"Count", kGet, IntegerProperty<&kfx::IRowValues::get_Count>},
    {L"Item", kGet | kMethod, ItemProperty<&kfx::IRowValues::get_Item, kfx::IRowValue>},
};

// The table rows are an object to be asked for IRowValues by identifier, as
// the component does; the answer is the same members through IDispatch.
kfx::HRESULT MakeRowValues(kfx::IUnknown* answered, ::IUnknown** out) {
    *out = Wrap(static_cast<kfx::IRowValues*>(answered), kRowValues);
    return *out ? kfx::HR_S_OK : kfx::HR_E_OUTOFMEMORY;
}

const Offer kRowValuesOffers[] = {{&kfx::IID_IRowValues, MakeRowValues}};

kfx::HRESULT RowValuesProperty(kfx::IValue& value, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(1); kfx::Failed(hr)) return hr;
    kfx::Variant key;
    if (kfx::HRESULT hr = invocation.Key(0, &key); kfx::Failed(hr)) return hr;
    kfx::IUnknown* rows = nullptr;
    const kfx::HRESULT hr = value.get_RowValues(key, &rows);
    return ReturnAskable(invocation, hr, rows, kRowValuesOffers);
}

const Member<kfx::IValue> kValue[] = {
    {L"Destination", kGet, TextProperty<&kfx::IValue::get_Destination>},
    {L"Value", kGet, TextProperty<&kfx::IValue::get_Value>},
    {L"TableName", kGet, TextProperty<&kfx::IValue::get_TableName>},
    {L"RowValues", kGet | kMethod, RowValuesProperty},
};

const Member<kfx::IValues> kValues[] = {
    {L"Count", kGet, IntegerProperty<&kfx::IValues::get_Count>},
    {L"Item", kGet | kMethod, ItemProperty<&kfx::IValues::get_Item, kfx::IValue>},
};

const Member<kfx::ICustomProperty> kCustomProperty[] = {
    {L"Value", kGet, TextProperty<&kfx::ICustomProperty::get_Value>},
};

const Member<kfx::ICustomProperties> kCustomProperties[] = {
    {L"Item", kGet | kMethod, ItemProperty<&kfx::ICustomProperties::get_Item, kfx::ICustomProperty>},
};

kfx::HRESULT LogError(kfx::IReleaseData& data, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(6); kfx::Failed(hr)) return hr;
    std::int32_t err1 = 0, err2 = 0, err3 = 0, lineNumber = 0;
    kfx::Text message, codeModule;
    for (kfx::HRESULT hr : {invocation.Integer(0, &err1), invocation.Integer(1, &err2), invocation.Integer(2, &err3),
                            invocation.Text(3, &message), invocation.Text(4, &codeModule),
                            invocation.Integer(5, &lineNumber)})
        if (kfx::Failed(hr)) return hr;
    return data.LogError(err1, err2, err3, message, codeModule, lineNumber);
}

kfx::HRESULT SendMessage(kfx::IReleaseData& data, Invocation& invocation) {
    if (kfx::HRESULT hr = invocation.Expect(3); kfx::Failed(hr)) return hr;
    kfx::Text message;
    std::int32_t errorNumber = 0, infoRet = 0;
    for (kfx::HRESULT hr : {invocation.Text(0, &message), invocation.Integer(1, &errorNumber),
                            invocation.Integer(2, &infoRet)})
        if (kfx::Failed(hr)) return hr;
    return data.SendMessage(message, errorNumber, infoRet);
}

const Member<kfx::IReleaseData> kReleaseData[] = {
    {L"KofaxPDFFileName", kGet, TextProperty<&kfx::IReleaseData::get_KofaxPDFFileName>},
    {L"ConnectString", kGet, TextProperty<&kfx::IReleaseData::get_ConnectString>},
    {L"UserName", kGet, TextProperty<&kfx::IReleaseData::get_UserName>},
    {L"Password", kGet, TextProperty<&kfx::IReleaseData::get_Password>},
    {L"Values", kGet, ObjectProperty<&kfx::IReleaseData::get_Values, kfx::IValues>},
    {L"CustomProperties", kGet, ObjectProperty<&kfx::IReleaseData::get_CustomProperties, kfx::ICustomProperties>},
    {L"LogError", kMethod, LogError},
    {L"SendMessage", kMethod, SendMessage},
};

}  // namespace

::IDispatch* AutomationObjectOf(kfx::IReleaseData* data) { return Wrap(data, kReleaseData); }
::IDispatch* AutomationObjectOf(kfx::IValues* values) { return Wrap(values, kValues); }
::IDispatch* AutomationObjectOf(kfx::IValue* value) { return Wrap(value, kValue); }
::IDispatch* AutomationObjectOf(kfx::IRowValues* rows) { return Wrap(rows, kRowValues); }
::IDispatch* AutomationObjectOf(kfx::IRowValue* row) { return Wrap(row, kRowValue); }
::IDispatch* AutomationObjectOf(kfx::ICustomProperties* properties) {
    return Wrap(properties, kCustomProperties);
}
::IDispatch* AutomationObjectOf(kfx::ICustomProperty* property) {
    return Wrap(property, kCustomProperty);
}

}  // namespace standin::automation
