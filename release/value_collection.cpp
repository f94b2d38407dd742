#include "release/value_collection.h"

#include <exception>

#include "release/report_message.h"

namespace veldmark {
namespace {

struct HeaderDerivedValue {
    const char16_t* headerField;
    const char16_t* lineKeys[2];
};

// Header fields whose values every line record carries as well. The company
// and supplier key goes in under the line file's own column CDAC33, and under
// CDAC32 too for sites whose line file has that name.
constexpr HeaderDerivedValue kHeaderDerived[] = {
    {u"CDAC32", {u"CDAC32", u"CDAC33"}},
    {u"INVN32", {u"INVN33", nullptr}},
    {u"RTYP32", {u"RTYP33", nullptr}},
};

Text ReadText(kfx::IValue* value, kfx::HRESULT (kfx::IValue::*read)(Text*)) {
    Text text;
    if (kfx::Failed((value->*read)(&text))) text.clear();
    return text;
}

void CollectValue(kfx::IValue* value, dbAx::CAxRecordset& header, LineSlots& slots) {
    const Text destination = ReadText(value, &kfx::IValue::get_Destination);
    Text text = ReadText(value, &kfx::IValue::get_Value);
    const DestinationParts parts = SplitDestination(destination);
    if (parts.file == u"AIP32") {
        const Text assigned = text;
        header.SetField(parts.field, text);
        for (const HeaderDerivedValue& derived : kHeaderDerived) {
            if (parts.field != derived.headerField) continue;
            for (const char16_t* key : derived.lineKeys)
                if (key) addCommonLineValue(slots, key, assigned);
        }
    } else if (parts.file == u"AIP33") {
        Text tableName;
        if (kfx::Succeeded(value->get_TableName(&tableName)) && !tableName.empty()) {
            collectRowValues(value, parts.field, slots);
        } else {
            addCommonLineValue(slots, parts.field, text);
        }
    }
}

}  // namespace

std::vector<Text> HeaderDerivedLineKeys(const Text& headerField) {
    std::vector<Text> keys;
    for (const HeaderDerivedValue& derived : kHeaderDerived) {
        if (headerField != derived.headerField) continue;
        for (const char16_t* key : derived.lineKeys)
            if (key) keys.emplace_back(key);
    }
    return keys;
}

DestinationParts SplitDestination(const Text& destination) {
    const auto first = destination.find(u'.');
    if (first == Text::npos) return {destination, Text()};
    const auto second = destination.find(u'.', first + 1);
    return {destination.substr(0, first),
            destination.substr(first + 1, second == Text::npos ? Text::npos : second - first - 1)};
}

bool readVariables(kfx::IValues* values, dbAx::CAxRecordset& header, LineSlots& slots) {
    try {
        std::int32_t count = 0;
        if (kfx::Failed(values->get_Count(&count))) {
            reportMessage(line::CountOfValues, 1, u"Failed to get count of values");
            return false;
        }
        for (std::int32_t index = 1; index <= count; ++index) {
            kfx::ComPtr<kfx::IValue> value;
            if (kfx::Failed(values->get_Item(kfx::Variant(index), value.Put())) || !value) continue;
            CollectValue(value.Get(), header, slots);
        }
        return true;
    } catch (const dbAx::CAxException& error) {
        reportMessage(line::ReadVariables, 1, u"Error in readVariables: %s", {error.description});
    } catch (const std::exception&) {
        reportMessage(line::GeneralReadVariables, 1, u"General Error in readVariables");
    }
    return false;
}

bool collectRowValues(kfx::IValue* value, const Text& field, LineSlots& slots) {
    kfx::ComPtr<kfx::IUnknown> rowObject;
    if (kfx::Failed(value->get_RowValues(kfx::Variant(0), rowObject.Put())) || !rowObject) return false;
    kfx::ComPtr<kfx::IRowValues> rows;
    if (kfx::Failed(kfx::QueryInterfaceAs(rowObject.Get(), kfx::IID_IRowValues, rows)) || !rows) return false;
    std::int32_t count = 0;
    if (kfx::Failed(rows->get_Count(&count))) return false;
    slots.EnsureSlots(static_cast<std::size_t>(std::max(count, 0)) + 1);
    for (std::int32_t row = 1; row <= count; ++row) {
        kfx::ComPtr<kfx::IRowValue> rowValue;
        if (kfx::Failed(rows->get_Item(kfx::Variant(row), rowValue.Put())) || !rowValue) continue;
        Text text;
        if (kfx::Failed(rowValue->get_Value(&text))) continue;
        slots.Put(static_cast<std::size_t>(row), field, text);
    }
    return true;
}

void addCommonLineValue(LineSlots& slots, const Text& field, const Text& text) { slots.Put(0, field, text); }

}  // namespace veldmark
