// Looks in the interface files for what earlier releases of a batch's
// documents wrote, reading only, through the data access library as
// `veldmark check` does: the interface files are the record of what was
// released, whatever became of the log.
//
// A document's header is one of its releases when it holds the document's
// keys and every value the document writes to AIP32, compared as the
// component writes them. The documents are looked up together, grouped by
// the database each writes to: one selection of AIP32, and one of AIP33 for
// those without a header, per documentsPerLookup documents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host_standin/records.h"

namespace standin {

struct DocumentToCheck {
    const ReleaseDocument* document = nullptr;
    // Its releases the log holds: the headers they wrote are accounted for.
    int releasesOnRecord = 0;
    // False when the log has settled it: it only accounts for its headers.
    bool lookUp = true;
};

struct EarlierRows {
    // A header with every value it writes that no release on record, and no
    // document before it in the batch with the same header, accounts for.
    bool headerUnaccounted = false;
    std::int64_t otherHeaders = 0;  // headers with its keys and other values
    std::int64_t lines = 0;         // line rows with its line keys; counted only where no header has its keys
};

struct LookupAnswer {
    std::optional<EarlierRows> rows;  // empty when not looked up, or when it could not be
    std::string problem;              // why it could not be
};

inline constexpr std::size_t kDocumentsPerLookup = 200;

// One answer per document, in their order. Expects the data access library started.
std::vector<LookupAnswer> LookUpEarlierReleases(const std::vector<DocumentToCheck>& documents,
                                                std::size_t documentsPerLookup = kDocumentsPerLookup);

}  // namespace standin
