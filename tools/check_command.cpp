#include "tools/check_command.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/ax_recordset.h"
#include "data_access/platform/database.h"
#include "data_access/provider/default_environment.h"
#include "data_access/provider/odbc_commit_mode.h"
#include "host/kfx_types.h"
#include "host/text_format.h"
#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/document_class_file.h"
#include "host_standin/store_error.h"
#include "model/field_catalogue.h"
#include "model/interface_files.h"
#include "release/release_settings.h"
#include "tools/status_text.h"

namespace standin {
namespace {

using kfx::Text;

constexpr const char16_t* kFileNames[] = {u"AIP32", u"AIP33"};

class Findings {
public:
    explicit Findings(std::ostream& out) : out_(out) {}
    void Ok(const std::string& text) { out_ << "ok: " << text << '\n'; }
    void Error(const std::string& text) {
        out_ << "error: " << text << '\n';
        failed_ = true;
    }
    void Note(const std::string& text) { out_ << "note: " << text << '\n'; }
    bool Failed() const { return failed_; }

private:
    std::ostream& out_;
    bool failed_ = false;
};

// Texts of the document class can hold control characters; a setting is
// shown whole, an offending constant or a name only as an excerpt.
std::string Quoted(const Text& text) { return "'" + DisplayText(kfx::ToUtf8(text)) + "'"; }
std::string QuotedExcerpt(const Text& text) { return "'" + Excerpt(kfx::ToUtf8(text)) + "'"; }

std::string SourceKind(std::int32_t sourceType) {
    switch (sourceType) {
        case kfx::KFX_REL_INDEXFIELD: return "the index field";
        case kfx::KFX_REL_VARIABLE: return "the Kofax Capture value";
        case kfx::KFX_REL_BATCHFIELD: return "the batch field";
        case kfx::KFX_REL_DOCUMENTID: return "the document ID";
        default: return "a link of source type " + std::to_string(sourceType);
    }
}

const LinkRecord* FindLink(const DocumentClass& documentClass, const Text& destination) {
    for (const LinkRecord& link : documentClass.links) {
        if (link.destination == destination) return &link;
    }
    return nullptr;
}

// A setting as the release gets it: a text-constant link that is not empty
// wins over the default. A link fed by anything else gets its value only
// when a document is released, so the setting cannot be known here: false,
// after a note saying so.
bool ReadSetting(const DocumentClass& documentClass, const Text& key, Text& setting, Findings& findings) {
    const LinkRecord* link = FindLink(documentClass, key);
    if (!link) return true;
    if (link->sourceType != kfx::KFX_REL_TEXTCONSTANT) {
        findings.Note("the setting " + Quoted(key) + " comes from " + SourceKind(link->sourceType) + " " +
                      QuotedExcerpt(link->source) + " at release and cannot be checked here");
        return false;
    }
    if (!link->source.empty()) setting = link->source;
    return true;
}

// The settings when the database can be checked with them.
std::optional<veldmark::ReleaseSettings> ResolveSettings(const DocumentClass& documentClass, Findings& findings) {
    veldmark::ReleaseSettings settings;
    settings.server = documentClass.connectString;
    settings.userName = documentClass.userName;
    settings.password = documentClass.password;
    for (const CustomPropertyRecord& property : documentClass.customProperties) {
        if (property.name == u"serverAPILibrary") settings.apiLibrary = property.value;
    }
    bool connectionKnown = true;
    for (auto [key, setting] : {std::pair{u"serverName", &settings.server}, {u"username", &settings.userName},
                                {u"password", &settings.password}, {u"APILibrary", &settings.apiLibrary}}) {
        connectionKnown = ReadSetting(documentClass, key, *setting, findings) && connectionKnown;
    }
    // A code page known only at release leaves sanitising out of the check.
    Text codePage;
    if (ReadSetting(documentClass, u"SanitiseCodepage", codePage, findings)) {
        veldmark::TakeCodePageSetting(codePage, settings);
    }
    if (!connectionKnown) return std::nullopt;
    if (std::optional<Text> problem = veldmark::SettingsProblem(settings)) {
        findings.Error(OnOneLine(*problem));
        return std::nullopt;
    }
    findings.Ok("the settings are usable (server " + Quoted(settings.server) + ", library " +
                Quoted(settings.apiLibrary) + ")");
    return settings;
}

// "AIP32.INVN32" splits into the file and the column; nullopt for any other
// destination, which is a setting rather than a column.
struct ColumnDestination {
    std::size_t file;
    Text column;
};
std::optional<ColumnDestination> SplitDestination(const Text& destination) {
    for (std::size_t file = 0; file < std::size(kFileNames); ++file) {
        const Text prefix = Text(kFileNames[file]) + u".";
        if (destination.size() > prefix.size() && destination.starts_with(prefix)) {
            return ColumnDestination{file, destination.substr(prefix.size())};
        }
    }
    return std::nullopt;
}

const veldmark::CatalogueRow* FindCatalogueRow(const Text& destination) {
    for (const veldmark::CatalogueRow& row : veldmark::CatalogueRows()) {
        if (row.destination == destination) return &row;
    }
    return nullptr;
}

// Why the constant cannot be stored in the column, if it cannot.
std::optional<std::string> ConstantProblem(const Text& constant, const veldmark::ColumnType& type) {
    if (type.kind == veldmark::ColumnType::Char) {
        if (static_cast<int>(constant.size()) <= type.length) return std::nullopt;
        return "is " + std::to_string(constant.size()) + " characters long; the column holds " +
               std::to_string(type.length);
    }
    // A plain decimal number: an optional sign, digits, an optional fraction.
    std::size_t i = constant.empty() || (constant[0] != u'+' && constant[0] != u'-') ? 0 : 1;
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    const std::size_t integerStart = i;
    while (i < constant.size() && isDigit(constant[i])) ++i;
    const std::size_t integerEnd = i;
    std::size_t fractionDigits = 0;
    if (i < constant.size() && constant[i] == u'.') {
        for (++i; i < constant.size() && isDigit(constant[i]); ++i) ++fractionDigits;
    }
    if (i != constant.size() || integerEnd - integerStart + fractionDigits == 0) return "is not a number";
    std::size_t significant = integerStart;
    while (significant < integerEnd && constant[significant] == u'0') ++significant;
    const int integerDigits = static_cast<int>(integerEnd - significant);
    const int room = type.length - type.scale;
    if (integerDigits <= room) return std::nullopt;
    return "has " + std::to_string(integerDigits) + " integer digits; the column holds " + std::to_string(room);
}

void CheckConstantsFit(const DocumentClass& documentClass, Findings& findings) {
    int checked = 0;
    bool fit = true;
    for (const LinkRecord& link : documentClass.links) {
        if (link.sourceType != kfx::KFX_REL_TEXTCONSTANT || !SplitDestination(link.destination)) continue;
        const veldmark::CatalogueRow* row = FindCatalogueRow(link.destination);
        if (!row) continue;  // not a column the connector fills: reported with the columns
        const std::optional<veldmark::ColumnType> type = veldmark::ParseSqlType(row->sqlType);
        if (!type) continue;
        ++checked;
        if (std::optional<std::string> problem = ConstantProblem(link.source, *type)) {
            findings.Error("the constant " + QuotedExcerpt(link.source) + " mapped to " +
                           kfx::ToUtf8(link.destination) + " " + *problem + " (" + kfx::ToUtf8(row->sqlType) + ")");
            fit = false;
        }
    }
    if (fit) findings.Ok("every text constant fits its column (" + std::to_string(checked) + " checked)");
}

void CheckRequiredFields(const DocumentClass& documentClass, Findings& findings) {
    bool mapped = true;
    for (const veldmark::CatalogueRow& row : veldmark::CatalogueRows()) {
        if (!row.required || FindLink(documentClass, row.destination)) continue;
        findings.Error("the required field " + kfx::ToUtf8(row.destination) + " (" + kfx::ToUtf8(row.label) +
                       ") is not mapped");
        mapped = false;
    }
    if (mapped) findings.Ok("every required field is mapped");
}

// Opens each interface file empty (no row is read or written) and checks the
// mapped columns against it.
class DatabaseCheck {
public:
    DatabaseCheck(const DocumentClass& documentClass, const veldmark::ReleaseSettings& settings, Findings& findings)
        : documentClass_(documentClass), settings_(settings), findings_(findings) {}

    // How a document's rows will be committed; a data source whose server
    // refuses the choice has failed the connection already.
    void ReportCommitMode() {
        const std::string server = kfx::ToUtf8(settings_.server);
        if (server.starts_with(dbAx::kEmbeddedDataSourcePrefix)) {
            findings_.Ok("a document's lines and header are committed together (the embedded database)");
            return;
        }
        dbAx::provider::OdbcCommit commit = dbAx::provider::OdbcCommit::Row;
        dbAx::provider::ErrorMessages ignored;
        dbAx::provider::ReadOdbcCommit(server, &commit, ignored);
        if (commit == dbAx::provider::OdbcCommit::Document) {
            findings_.Ok("a document's lines and header are committed together (VeldmarkCommit = Document), and "
                         "the data source accepts it");
            return;
        }
        findings_.Note("each row is committed on its own (VeldmarkCommit = Row, the default): a document that "
                       "fails part way leaves the lines written before it; set VeldmarkCommit = Document in the "
                       "data source where the server keeps transactions on AIP32 and AIP33");
    }

    void Run() {
        try {
            connection_.emplace();
            connection_->Create();
            connection_->CursorLocation(dbAx::platform::adUseClient);
            connection_->Open(kfx::FormatText(u"Provider=IBMDA400;Data source=%s;", {settings_.server}),
                              settings_.userName, settings_.password);
        } catch (const dbAx::CAxException& error) {
            findings_.Error("cannot connect to " + Quoted(settings_.server) + ": " + OnOneLine(error.description));
            return;
        }
        findings_.Ok("connected to " + Quoted(settings_.server));
        ReportCommitMode();
        bool allFiles = true;
        for (std::size_t file = 0; file < std::size(kFileNames); ++file) allFiles = OpenFile(file) && allFiles;
        if (allFiles) {
            findings_.Ok("the library " + Quoted(settings_.apiLibrary) + " holds AIP32 and AIP33");
        }
        CheckColumns();
    }

    // Closing problems are findings too; nothing is left open.
    void Close() {
        for (std::optional<dbAx::CAxRecordset>& file : files_) Dispose(file);
        Dispose(connection_);
    }

private:
    bool OpenFile(std::size_t file) {
        const Text name = kFileNames[file];
        try {
            std::optional<dbAx::CAxRecordset>& recordset = files_[file];
            recordset.emplace();
            if (kfx::Failed(recordset->Create())) {
                findings_.Error("cannot create a recordset for " + kfx::ToUtf8(name));
                recordset.reset();
                return false;
            }
            recordset->Open(kfx::FormatText(u"SELECT * FROM %s.%s WHERE 1=0", {settings_.apiLibrary, name}),
                            &*connection_);
            return true;
        } catch (const dbAx::CAxException& error) {
            files_[file].reset();
            findings_.Error("the library " + Quoted(settings_.apiLibrary) + " has no usable file " +
                            kfx::ToUtf8(name) + ": " + OnOneLine(error.description));
            return false;
        }
    }

    void CheckColumns() {
        int checked = 0;
        bool present = true;
        for (const LinkRecord& link : documentClass_.links) {
            const std::optional<ColumnDestination> destination = SplitDestination(link.destination);
            if (!destination || !files_[destination->file]) continue;
            ++checked;
            if (files_[destination->file]->HasField(destination->column)) continue;
            findings_.Error("the mapped destination " + Excerpt(kfx::ToUtf8(link.destination)) +
                            " is not a column of " + Excerpt(kfx::ToUtf8(settings_.apiLibrary)) + "." +
                            kfx::ToUtf8(kFileNames[destination->file]));
            present = false;
        }
        if (present && checked > 0) {
            findings_.Ok("every mapped destination is a column (" + std::to_string(checked) + " checked)");
        }
    }

    template <class Object>
    void Dispose(std::optional<Object>& object) {
        if (!object) return;
        try {
            object->Dispose();
        } catch (const dbAx::CAxException& error) {
            findings_.Error("closing failed: " + OnOneLine(error.description));
        }
        object.reset();
    }

    const DocumentClass& documentClass_;
    const veldmark::ReleaseSettings& settings_;
    Findings& findings_;
    std::optional<dbAx::CAxConnection> connection_;
    std::optional<dbAx::CAxRecordset> files_[std::size(kFileNames)];
};

}  // namespace

int RunCheck(const std::filesystem::path& documentClassFile, const CommandStreams& streams) {
    std::optional<DocumentClass> documentClass;
    try {
        documentClass = LoadDocumentClass(documentClassFile);
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << '\n';
        return kExitNothingDone;
    }
    Findings findings(streams.out);
    CheckRequiredFields(*documentClass, findings);
    CheckConstantsFit(*documentClass, findings);
    if (std::optional<veldmark::ReleaseSettings> settings = ResolveSettings(*documentClass, findings)) {
        DatabaseCheck database(*documentClass, *settings, findings);
        database.Run();
        database.Close();
    } else {
        findings.Note("the database was not checked");
    }
    return findings.Failed() ? kExitSomeFailed : kExitSuccess;
}

}  // namespace standin
