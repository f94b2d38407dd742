// Looks in the interface files for what a document's release wrote, reading
// only, through the data access library as `veldmark check` does: for a
// document whose earlier release may or may not have gone through.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "host_standin/records.h"

namespace standin {

struct RowsFound {
    std::int64_t headers = 0;  // rows of AIP32 with the document's header keys
    std::int64_t lines = 0;    // rows of AIP33 with its line keys
};

// Why the look-up could not be made: settings that cannot be used, a
// database that cannot be reached, a file that cannot be read.
class LookupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Connects with the settings the component would resolve for the document.
// Expects the data access library started. Throws LookupError.
RowsFound FindReleasedRows(const ReleaseDocument& document);

}  // namespace standin
