#include "tools/released_rows_lookup.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/provider/provider_connection.h"
#include "data_access/sanitise/sanitise.h"
#include "host/text_format.h"
#include "host/utf8.h"
#include "host_standin/message_sink.h"
#include "host_standin/release_data.h"
#include "model/interface_files.h"
#include "release/release_settings.h"
#include "tools/invoice_keys.h"
#include "tools/status_text.h"
#include "tools/written_value.h"

namespace standin {
namespace {

using dbAx::provider::ColumnDescription;
using dbAx::provider::TableDescription;
using kfx::Text;
using TextRows = std::vector<std::vector<std::optional<Text>>>;

// Why a look-up could not be made: a database that cannot be read as the
// look-up reads it.
class LookupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a document's rows go, and how its values are written there.
struct Target {
    Text server;
    Text userName;
    Text password;
    Text library;
    WritingSettings writing;

    auto Key() const { return std::tie(server, userName, password, library, writing.codePage, writing.replacementChar); }
    friend bool operator<(const Target& a, const Target& b) { return a.Key() < b.Key(); }
};

// A document as the look-up needs it.
struct Sought {
    std::optional<Target> target;  // empty when its settings cannot be used
    std::vector<Text> headerKeys;  // as stored, without trailing blanks, in the order of the key columns
    std::vector<KeyValue> lineKeys;
    std::map<Text, Text> headerValues;
    // Its target and header: documents that would write the same header row share it.
    std::string header;
};

struct Found {
    std::int64_t sameHeaders = 0;
    std::int64_t sameKeys = 0;
    std::int64_t lines = 0;
};

// Empty when the component would refuse them before it writes anything.
std::optional<veldmark::ReleaseSettings> UsableSettingsOf(const ReleaseDocument& document) {
    auto data = MakeHostObject<ReleaseData>(nullptr, document, std::make_shared<MessageSink>());
    kfx::ComPtr<kfx::IValues> values;
    if (kfx::Failed(data->get_Values(values.Put()))) return std::nullopt;
    veldmark::ReleaseSettings settings =
        veldmark::ResolveReleaseSettings(data.Get(), values.Get(), document.pdfFileName);
    if (veldmark::SettingsProblem(settings)) return std::nullopt;
    return settings;
}

// A key as the component stores it: sanitised as every value it assigns,
// compared without trailing blanks, as a CHAR column compares.
Text AsStoredKey(const Text& key, WritingSettings writing) {
    Text stored = dbAx::SanitiseText(key, writing.codePage, writing.replacementChar);
    stored.erase(stored.find_last_not_of(u' ') + 1);
    return stored;
}

Sought Prepare(const ReleaseDocument& document) {
    Sought sought;
    const std::optional<veldmark::ReleaseSettings> settings = UsableSettingsOf(document);
    if (!settings) return sought;
    const Target target{settings->server, settings->userName, settings->password, settings->apiLibrary,
                        {static_cast<std::uint32_t>(settings->codePage), settings->replacementChar}};
    InvoiceKeys keys = KeysOf(document.values);
    try {
        for (const KeyValue& key : keys.header) sought.headerKeys.push_back(AsStoredKey(key.value, target.writing));
        for (const KeyValue& key : keys.lines) {
            sought.lineKeys.push_back({key.column, AsStoredKey(key.value, target.writing)});
        }
    } catch (const dbAx::UnusableCodePage&) {
        return {};  // the component refuses the same key when it assigns it
    }
    sought.headerValues = std::move(keys.headerValues);
    sought.header = kfx::ToUtf8(target.server + u'\x1f' + target.userName + u'\x1f' + target.library);
    for (const auto& [field, value] : sought.headerValues) sought.header += kfx::ToUtf8(u'\x1f' + field + u'=' + value);
    sought.target = target;
    return sought;
}

std::string Joined(const std::vector<std::string>& messages) {
    std::string joined;
    for (const std::string& message : messages) joined += (joined.empty() ? "" : " / ") + message;
    return joined;
}

// "(RTRIM(A) = ? AND RTRIM(B) = ?)" for each term, joined by OR.
Text WhereAnyOf(const std::vector<std::vector<KeyValue>>& terms, std::vector<Text>* parameters) {
    Text where;
    for (const std::vector<KeyValue>& term : terms) {
        where += where.empty() ? u" WHERE (" : u" OR (";
        for (std::size_t i = 0; i < term.size(); ++i) {
            where += (i == 0 ? u"RTRIM(" : u" AND RTRIM(") + kfx::FromUtf8(term[i].column) + u") = ?";
            parameters->push_back(term[i].value);
        }
        where += u")";
    }
    return where;
}

Text TrimmedColumns(const std::vector<std::string>& columns) {
    Text list;
    for (const std::string& column : columns) list += (list.empty() ? u"RTRIM(" : u", RTRIM(") + kfx::FromUtf8(column) + u")";
    return list;
}

// The look-ups of one database: its connection, and what AIP32 declares.
class DatabaseLookup {
public:
    explicit DatabaseLookup(const Target& target) : target_(target) {
        connection_.Create();
        connection_.CursorLocation(dbAx::platform::adUseClient);
        connection_.Open(kfx::FormatText(u"Provider=IBMDA400;Data source=%s;", {target.server}), target.userName,
                         target.password);
        provider_ = dynamic_cast<dbAx::provider::ProviderConnection*>(connection_.PlatformConnection());
        if (!provider_) throw LookupError("this database platform cannot read rows");
        TableDescription header;
        dbAx::provider::ErrorMessages errors;
        const std::string selection = kfx::ToUtf8(u"SELECT * FROM " + target.library + u".AIP32 WHERE 1=0");
        if (kfx::Failed(provider_->Describe(selection, &header, errors))) {
            throw LookupError("AIP32 cannot be described: " + Joined(errors));
        }
        for (ColumnDescription& column : header.columns) headerColumns_.emplace(kfx::FromUtf8(column.name), column);
    }
    DatabaseLookup(const DatabaseLookup&) = delete;
    DatabaseLookup& operator=(const DatabaseLookup&) = delete;
    // A close that fails is raised; the destructor closes quietly after a failure.
    void Close() { connection_.Dispose(); }

    void Look(const std::vector<const Sought*>& documents, std::vector<Found*>& found) {
        FindHeaders(documents, found);
        std::vector<const Sought*> headerless;
        std::vector<Found*> headerlessFound;
        for (std::size_t i = 0; i < documents.size(); ++i) {
            if (found[i]->sameKeys == 0 && !documents[i]->lineKeys.empty()) {
                headerless.push_back(documents[i]);
                headerlessFound.push_back(found[i]);
            }
        }
        if (!headerless.empty()) CountLines(headerless, headerlessFound);
    }

private:
    TextRows Read(const Text& selection, const std::vector<Text>& parameters, const char16_t* file) {
        TextRows rows;
        const kfx::HRESULT result = provider_->ReadRows(selection, parameters, &rows);
        if (kfx::Failed(result)) dbAx::RaiseAxError(dbAx::AxPlatformError, Text(u"ReadRows ") + file, result);
        return rows;
    }

    void FindHeaders(const std::vector<const Sought*>& documents, std::vector<Found*>& found) {
        const std::vector<std::string>& keyColumns = veldmark::HeaderFile().keyColumns;
        std::set<std::vector<Text>> keys;
        std::vector<Text> columns;  // every column any of them writes that AIP32 has
        std::map<Text, std::size_t> position;
        for (const Sought* document : documents) {
            keys.insert(document->headerKeys);
            for (const auto& [field, value] : document->headerValues) {
                if (headerColumns_.contains(field) && position.emplace(field, keyColumns.size() + columns.size()).second) {
                    columns.push_back(field);
                }
            }
        }
        std::vector<std::vector<KeyValue>> terms;
        for (const std::vector<Text>& key : keys) {
            std::vector<KeyValue>& term = terms.emplace_back();
            for (std::size_t i = 0; i < keyColumns.size(); ++i) term.push_back({keyColumns[i], key[i]});
        }
        std::vector<Text> parameters;
        Text selection = u"SELECT " + TrimmedColumns(keyColumns);
        for (const Text& column : columns) selection += u", " + column;
        selection += u" FROM " + target_.library + u".AIP32" + WhereAnyOf(terms, &parameters);
        std::map<std::vector<Text>, std::vector<const std::vector<std::optional<Text>>*>> rowsByKeys;
        const TextRows rows = Read(selection, parameters, u"AIP32");
        for (const auto& row : rows) {
            std::vector<Text> key;
            for (std::size_t i = 0; i < keyColumns.size(); ++i) key.push_back(row[i].value_or(Text()));
            rowsByKeys[key].push_back(&row);
        }
        for (std::size_t d = 0; d < documents.size(); ++d) {
            const auto withKeys = rowsByKeys.find(documents[d]->headerKeys);
            if (withKeys == rowsByKeys.end()) continue;
            const std::optional<std::vector<ExpectedValue>> expected = ExpectedValues(*documents[d], position);
            for (const auto* row : withKeys->second) {
                ++found[d]->sameKeys;
                if (expected && HoldsEveryValue(*expected, *row)) ++found[d]->sameHeaders;
            }
        }
    }

    // A value the document writes, as the column holds it, and where the
    // selection reads that column.
    struct ExpectedValue {
        const ColumnDescription* column;
        std::size_t position;
        std::string written;
    };

    // Worked out once per document, not per row; nothing when no row can hold
    // what it writes (a column AIP32 lacks, a value the column refuses).
    std::optional<std::vector<ExpectedValue>> ExpectedValues(const Sought& document,
                                                             const std::map<Text, std::size_t>& position) const {
        std::vector<ExpectedValue> expected;
        for (const auto& [field, value] : document.headerValues) {
            const auto column = headerColumns_.find(field);
            if (column == headerColumns_.end()) return std::nullopt;
            std::optional<std::string> written = AsWritten(column->second, value, target_.writing);
            if (!written) return std::nullopt;
            expected.push_back({&column->second, position.at(field), std::move(*written)});
        }
        return expected;
    }

    static bool HoldsEveryValue(const std::vector<ExpectedValue>& expected, const std::vector<std::optional<Text>>& row) {
        for (const ExpectedValue& value : expected) {
            const std::optional<Text>& read = row[value.position];
            if (AsRead(*value.column, read ? std::optional(kfx::ToUtf8(*read)) : std::nullopt) != value.written) {
                return false;
            }
        }
        return true;
    }

    void CountLines(const std::vector<const Sought*>& documents, std::vector<Found*>& found) {
        const std::vector<std::string>& keyColumns = veldmark::LineFile().keyColumns;
        std::set<std::vector<KeyValue>> distinct;
        for (const Sought* document : documents) distinct.insert(document->lineKeys);
        std::vector<Text> parameters;
        const Text grouped = TrimmedColumns(keyColumns);
        const Text selection = u"SELECT " + grouped + u", COUNT(*) FROM " + target_.library + u".AIP33" +
                               WhereAnyOf({distinct.begin(), distinct.end()}, &parameters) + u" GROUP BY " + grouped;
        const TextRows groups = Read(selection, parameters, u"AIP33");
        for (std::size_t d = 0; d < documents.size(); ++d) {
            for (const auto& group : groups) {
                bool matches = true;
                for (const KeyValue& key : documents[d]->lineKeys) {
                    const std::size_t at = static_cast<std::size_t>(
                        std::find(keyColumns.begin(), keyColumns.end(), key.column) - keyColumns.begin());
                    matches = matches && group[at].value_or(Text()) == key.value;
                }
                if (matches) found[d]->lines += std::stoll(kfx::ToUtf8(group.back().value_or(u"0")));
            }
        }
    }

    const Target& target_;
    dbAx::CAxConnection connection_;
    dbAx::provider::ProviderConnection* provider_ = nullptr;
    std::map<Text, ColumnDescription> headerColumns_;
};

}  // namespace

std::vector<LookupAnswer> LookUpEarlierReleases(const std::vector<DocumentToCheck>& documents,
                                                std::size_t documentsPerLookup) {
    std::vector<Sought> sought;
    for (const DocumentToCheck& document : documents) sought.push_back(Prepare(*document.document));
    std::vector<LookupAnswer> answers(documents.size());
    std::vector<Found> found(documents.size());
    std::map<Target, std::vector<std::size_t>> byTarget;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!documents[i].lookUp) continue;
        if (sought[i].target) {
            byTarget[*sought[i].target].push_back(i);
        } else {
            // Settings that cannot be used: nothing can have been written with
            // them, and the component refuses the document in its own words.
            answers[i].rows = EarlierRows{};
        }
    }
    for (const auto& [target, indices] : byTarget) {
        try {
            DatabaseLookup database(target);
            for (std::size_t start = 0; start < indices.size(); start += documentsPerLookup) {
                std::vector<const Sought*> chunk;
                std::vector<Found*> chunkFound;
                for (std::size_t k = start; k < std::min(indices.size(), start + documentsPerLookup); ++k) {
                    chunk.push_back(&sought[indices[k]]);
                    chunkFound.push_back(&found[indices[k]]);
                }
                database.Look(chunk, chunkFound);
            }
            database.Close();
            for (std::size_t i : indices) answers[i].rows = EarlierRows{};
        } catch (const LookupError& error) {
            for (std::size_t i : indices) answers[i].problem = error.what();
        } catch (const dbAx::CAxException& error) {
            for (std::size_t i : indices) answers[i].problem = OnOneLine(error.description);
        } catch (const dbAx::UnusableCodePage& problem) {
            for (std::size_t i : indices) answers[i].problem = OnOneLine(problem.Message());
        }
    }
    // Headers that releases on record account for, by the header they wrote;
    // the rest go to the documents that would write them, in batch order.
    std::map<std::string, std::int64_t> unaccounted;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (answers[i].rows) unaccounted.try_emplace(sought[i].header, found[i].sameHeaders);
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const auto headers = unaccounted.find(sought[i].header);
        if (sought[i].target && headers != unaccounted.end()) headers->second -= documents[i].releasesOnRecord;
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (!answers[i].rows) continue;
        std::int64_t& headers = unaccounted[sought[i].header];
        answers[i].rows->headerUnaccounted = headers > 0;
        if (headers > 0) --headers;
        answers[i].rows->otherHeaders = found[i].sameKeys - found[i].sameHeaders;
        answers[i].rows->lines = found[i].lines;
    }
    return answers;
}

}  // namespace standin
