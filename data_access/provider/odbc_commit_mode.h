// How the ODBC provider commits a document's rows, chosen by a key of the
// data source's entry in odbc.ini:
//
//     VeldmarkCommit = Row        each row on its own (the default)
//     VeldmarkCommit = Document   a document's lines and header together, at
//                                 the header; a document that fails part way
//                                 leaves no row
//
// Document needs a server that takes transactions on the interface files (on
// an IBM i, commitment control: the files must be journaled), so it is the
// administrator's choice.
#pragma once

#include <string_view>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

enum class OdbcCommit { Row, Document };

// The data source's choice; a value other than the two fails with a message
// naming the data source and the value.
Result ReadOdbcCommit(std::string_view dataSource, OdbcCommit* commit, ErrorMessages& errors);

// "Row" or "Document", as the key is written.
const char* OdbcCommitName(OdbcCommit commit);

}  // namespace dbAx::provider
