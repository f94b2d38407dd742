// The fields of a generic recordset: one per column of its selection, found
// by the name the database declares, exactly.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/backend.h"

namespace dbAx::provider {

class ProviderRecordset;

class ProviderField : public platform::Field {
public:
    ProviderField(ProviderRecordset& recordset, std::size_t column) : recordset_(recordset), column_(column) {}

    Result Type(std::int32_t* type) override;
    // DECIMAL and NUMERIC: their precision; character columns: 255, as the access objects report.
    Result Precision(std::uint8_t* precision) override;
    Result Attributes(std::int32_t* attributes) override;
    Result Value(std::optional<Text>* value) override;
    Result SetValue(const Text& value) override;

private:
    ProviderRecordset& recordset_;
    std::size_t column_;
};

class ProviderFields : public platform::Fields {
public:
    explicit ProviderFields(ProviderRecordset& recordset) : recordset_(recordset) {}

    Result Item(const Text& name, platform::Field** field) override;

    // Replaces the fields by those of the newly described columns.
    void Describe(const std::vector<ColumnDescription>& columns);

private:
    ProviderRecordset& recordset_;
    std::vector<std::unique_ptr<ProviderField>> fields_;
    std::unordered_map<Text, std::size_t> byName_;
};

}  // namespace dbAx::provider
