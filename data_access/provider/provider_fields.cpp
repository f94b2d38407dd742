#include "data_access/provider/provider_fields.h"

#include "data_access/provider/provider_recordset.h"
#include "host/utf8.h"

namespace dbAx::provider {
namespace {

constexpr std::uint8_t kCharacterPrecision = 255;

std::int32_t AccessType(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Char: return platform::adChar;
        case ColumnKind::WideChar: return platform::adWChar;
        case ColumnKind::Decimal: return platform::adDecimal;
        case ColumnKind::Numeric: return platform::adNumeric;
    }
    return platform::adChar;
}

}  // namespace

Result ProviderField::Type(std::int32_t* type) {
    if (!type) return kfx::HR_E_POINTER;
    if (!recordset_.IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    *type = AccessType(recordset_.Column(column_).kind);
    return kfx::HR_S_OK;
}

Result ProviderField::Precision(std::uint8_t* precision) {
    if (!precision) return kfx::HR_E_POINTER;
    if (!recordset_.IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    const ColumnDescription& column = recordset_.Column(column_);
    const bool numeric = column.kind == ColumnKind::Decimal || column.kind == ColumnKind::Numeric;
    *precision = numeric ? static_cast<std::uint8_t>(column.length) : kCharacterPrecision;
    return kfx::HR_S_OK;
}

Result ProviderField::Attributes(std::int32_t* attributes) {
    if (!attributes) return kfx::HR_E_POINTER;
    if (!recordset_.IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    const ColumnDescription& column = recordset_.Column(column_);
    // Every type this provider reports has a fixed length.
    *attributes = platform::adFldFixed | (column.updatable ? platform::adFldUpdatable : 0) |
                  (column.nullable ? platform::adFldIsNullable : 0);
    return kfx::HR_S_OK;
}

Result ProviderField::Value(std::optional<Text>* value) {
    if (!value) return kfx::HR_E_POINTER;
    return recordset_.ReadValue(column_, value);
}

Result ProviderField::SetValue(const Text& value) { return recordset_.WriteValue(column_, value); }

Result ProviderFields::Item(const Text& name, platform::Field** field) {
    if (!field) return kfx::HR_E_POINTER;
    if (!recordset_.IsOpen()) return platform::E_ADO_OBJECTCLOSED;
    const auto found = byName_.find(name);
    if (found == byName_.end()) return platform::E_ADO_ITEMNOTFOUND;
    *field = fields_[found->second].get();
    return kfx::HR_S_OK;
}

void ProviderFields::Describe(const std::vector<ColumnDescription>& columns) {
    fields_.clear();
    byName_.clear();
    for (std::size_t index = 0; index < columns.size(); ++index) {
        fields_.push_back(std::make_unique<ProviderField>(recordset_, index));
        byName_.emplace(kfx::FromUtf8(columns[index].name), index);
    }
}

}  // namespace dbAx::provider
