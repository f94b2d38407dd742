#include "host_standin/release_log.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/overloaded.h"
#include "host_standin/store_error.h"
#include "host_standin/strict_json.h"

namespace standin {
namespace {

// Written before a new line when the file ended inside one: the line before
// it was cut short when its run ended.
constexpr const char* kLineEnded = "lineEnded";

Json ToJson(const LogRecord& record) {
    return std::visit(
        Overloaded{
            [](const RunStarted& run) -> Json {
                Json json = {{"kind", "run"},
                             {"time", run.time},
                             {"documentClass", run.documentClassFile},
                             {"batch", run.batchFile},
                             {"batchIdentity", run.batchIdentity}};
                // Only when set, so that the runs of earlier versions read as they are.
                if (run.again) json["again"] = true;
                return json;
            },
            [](const DocumentStarted& started) -> Json {
                return {{"kind", "started"}, {"documentId", started.documentId}, {"content", started.content}};
            },
            [](const LoggedMessage& logged) -> Json {
                if (const auto* entry = std::get_if<ErrorLogEntry>(&logged.message)) {
                    return {{"kind", "errorLog"},       {"documentId", logged.documentId},
                            {"err1", entry->err1},      {"err2", entry->err2},
                            {"err3", entry->err3},      {"message", kfx::ToUtf8(entry->message)},
                            {"codeModule", kfx::ToUtf8(entry->codeModule)}, {"lineNumber", entry->lineNumber}};
                }
                const auto& message = std::get<DocumentMessage>(logged.message);
                return {{"kind", "documentMessage"},
                        {"documentId", logged.documentId},
                        {"message", kfx::ToUtf8(message.message)},
                        {"errorNumber", message.errorNumber},
                        {"infoRet", message.infoRet}};
            },
            [](const DocumentOutcome& outcome) -> Json {
                return {{"kind", "outcome"},
                        {"documentId", outcome.documentId},
                        {"outcome", outcome.outcome},
                        {"content", outcome.content}};
            },
        },
        record);
}

// The run goes second, after the kind, so that a line reads as what it is and whose.
std::string LineOf(Json json, const std::string& runId) {
    Json line = {{"kind", json["kind"]}, {"run", runId}};
    for (auto& [key, value] : json.items()) {
        if (key != "kind") line[key] = std::move(value);
    }
    return line.dump() + '\n';
}

std::string Utf8(JsonObject& object, std::string_view key) { return kfx::ToUtf8(object.Required(key).AsText()); }

std::int32_t Int32(JsonObject& object, std::string_view key) {
    return static_cast<std::int32_t>(object.Required(key).AsInteger(INT32_MIN, INT32_MAX, "a 32-bit number"));
}

std::int64_t DocumentId(JsonObject& object) {
    return object.Required("documentId").AsInteger(1, INT32_MAX, "a document id");
}

// Absent from the records of earlier versions, which no content matches.
std::string Content(JsonObject& object) {
    std::optional<JsonNode> content = object.Optional("content");
    return content ? kfx::ToUtf8(content->AsText()) : std::string();
}

// nullopt for the record that ends a line cut short.
std::optional<LogEntry> FromJson(const JsonNode& node) {
    JsonObject object = node.AsObject();
    const std::string kind = Utf8(object, "kind");
    std::optional<JsonNode> run = object.Optional("run");
    if (!run) {
        node.Fail("a record without a run, as veldmark wrote before its records named their runs; rename this "
                  "log to keep it, and the next release starts a new one");
    }
    LogEntry entry{kfx::ToUtf8(run->AsText()), {}};
    if (entry.runId.empty()) run->Fail("an empty run");
    if (kind == "run") {
        RunStarted started{Utf8(object, "time"), Utf8(object, "documentClass"), Utf8(object, "batch"),
                           Utf8(object, "batchIdentity")};
        if (std::optional<JsonNode> again = object.Optional("again")) started.again = again->AsBool();
        entry.record = std::move(started);
    } else if (kind == "started") {
        entry.record = DocumentStarted{DocumentId(object), Content(object)};
    } else if (kind == "errorLog") {
        const std::int64_t id = DocumentId(object);
        ErrorLogEntry logged;
        logged.err1 = Int32(object, "err1");
        logged.err2 = Int32(object, "err2");
        logged.err3 = Int32(object, "err3");
        logged.message = object.Required("message").AsText();
        logged.codeModule = object.Required("codeModule").AsText();
        logged.lineNumber = Int32(object, "lineNumber");
        entry.record = LoggedMessage{id, logged};
    } else if (kind == "documentMessage") {
        const std::int64_t id = DocumentId(object);
        DocumentMessage message;
        message.message = object.Required("message").AsText();
        message.errorNumber = Int32(object, "errorNumber");
        message.infoRet = Int32(object, "infoRet");
        entry.record = LoggedMessage{id, message};
    } else if (kind == "outcome") {
        const std::int64_t id = DocumentId(object);
        entry.record = DocumentOutcome{id, Utf8(object, "outcome"), Content(object)};
    } else if (kind != kLineEnded) {
        object.Required("kind").Fail("unknown kind \"" + Excerpt(kind) + "\"");
    }
    object.Finish();
    if (kind == kLineEnded) return std::nullopt;
    return entry;
}

struct Line {
    std::string text;
    bool ended = false;  // by a line end
};

// The log's lines one at a time: a log grows with every run, and a release
// needs only what concerns its batch.
class LineReader {
public:
    explicit LineReader(const std::filesystem::path& path) : path_(path), in_(path, std::ios::binary) {
        if (!in_) throw StoreError(path.string() + ": cannot open for reading");
    }

    std::optional<Line> Next() {
        Line line;
        if (!std::getline(in_, line.text)) {
            if (in_.bad()) throw StoreError(path_.string() + ": cannot read");
            return std::nullopt;
        }
        line.ended = !in_.eof();
        return line;
    }

private:
    const std::filesystem::path& path_;
    std::ifstream in_;
};

bool EndsALineCutShort(const Line& line) {
    try {
        const Json parsed = ParseStrictJson(line.text, "");
        return parsed.is_object() && parsed.contains("kind") && parsed["kind"] == kLineEnded;
    } catch (const StoreError&) {
        return false;
    }
}

}  // namespace

std::filesystem::path LogPathFor(const std::filesystem::path& documentClassFile) {
    std::filesystem::path log = documentClassFile;
    log.replace_extension(".log.jsonl");
    return log;
}

std::string NewRunId(const std::string& utcTimestamp) {
    std::string id;
    for (char c : utcTimestamp) {
        if (c != '-' && c != ':') id += c;
    }
    std::random_device random;
    char bits[17];
    std::snprintf(bits, sizeof bits, "%08x%08x", static_cast<unsigned>(random()), static_cast<unsigned>(random()));
    return id + "-" + bits;
}

ReleaseLogWriter::ReleaseLogWriter(std::filesystem::path path, std::string runId)
    : path_(std::move(path)), runId_(std::move(runId)) {}

ReleaseLogWriter::ReleaseLogWriter(std::filesystem::path path, std::string runId,
                                   std::unique_ptr<AppendOnlyFile> file)
    : path_(std::move(path)), runId_(std::move(runId)), file_(std::move(file)) {}

void ReleaseLogWriter::Append(const LogRecord& record) { Write(LineOf(ToJson(record), runId_)); }

void ReleaseLogWriter::AppendAndSync(const LogRecord& record) {
    Append(record);
    Sync();
}

void ReleaseLogWriter::Sync() {
    std::string problem;
    if (file_ && !file_->Sync(&problem)) {
        throw StoreError(path_.string() + ": cannot put the log on disk: " + problem);
    }
}

void ReleaseLogWriter::Write(const std::string& line) {
    if (!file_) {
        std::error_code ignored;
        created_ = !std::filesystem::exists(path_, ignored);
        file_ = OpenAppendOnlyFile(path_);
    }
    const std::string ending = "\n" + LineOf({{"kind", kLineEnded}}, runId_);
    std::string problem;
    if (!file_->Append(line, ending, &problem)) {
        throw StoreError(path_.string() + ": cannot write to the log: " + problem);
    }
}

std::vector<std::string> StreamReleaseLog(const std::filesystem::path& path,
                                          const std::function<void(LogEntry&&)>& take) {
    std::vector<std::string> notes;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return notes;
    // A device or a pipe could be read for ever.
    if (!std::filesystem::is_regular_file(path, error)) {
        throw StoreError(path.string() + ": the log is not a regular file");
    }
    LineReader reader(path);
    // One line ahead: whether a malformed line was cut short by its run's
    // end shows in the line after it.
    std::optional<Line> line = reader.Next();
    for (std::size_t number = 1; line; ++number) {
        std::optional<Line> next = reader.Next();
        // A blank line (an editor's, say) holds no record.
        if (line->text.find_first_not_of(" \t\r") != std::string::npos) {
            const std::string place = path.string() + ":" + std::to_string(number);
            try {
                const Json parsed = ParseStrictJson(line->text, path.string(), static_cast<int>(number));
                if (std::optional<LogEntry> entry = FromJson(JsonNode(parsed, "", place))) take(std::move(*entry));
            } catch (const StoreError&) {
                const bool endedLater = next && EndsALineCutShort(*next);
                if (line->ended && !endedLater) throw;
                notes.push_back(place + ": a record cut short when its run ended; skipped");
            }
        }
        line = std::move(next);
    }
    return notes;
}

ReleaseLog ReadReleaseLog(const std::filesystem::path& path) {
    ReleaseLog log;
    log.notes = StreamReleaseLog(path, [&log](LogEntry&& entry) { log.entries.push_back(std::move(entry)); });
    return log;
}

}  // namespace standin
