#include "host_standin/release_log.h"

#include <sstream>

#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/overloaded.h"
#include "host_standin/store_error.h"
#include "host_standin/strict_json.h"
#include "host_standin/text_file.h"

namespace standin {
namespace {

Json ToJson(const LogRecord& record) {
    return std::visit(
        Overloaded{
            [](const RunStarted& run) -> Json {
                return {{"kind", "run"},
                        {"time", run.time},
                        {"documentClass", run.documentClassFile},
                        {"batch", run.batchFile}};
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
                return {{"kind", "outcome"}, {"documentId", outcome.documentId}, {"outcome", outcome.outcome}};
            },
        },
        record);
}

std::int32_t Int32(JsonObject& object, std::string_view key) {
    return static_cast<std::int32_t>(object.Required(key).AsInteger(INT32_MIN, INT32_MAX, "a 32-bit number"));
}

std::int64_t DocumentId(JsonObject& object) {
    return object.Required("documentId").AsInteger(1, INT32_MAX, "a document id");
}

LogRecord FromJson(const JsonNode& node) {
    JsonObject object = node.AsObject();
    const std::string kind = kfx::ToUtf8(object.Required("kind").AsText());
    LogRecord record;
    if (kind == "run") {
        record = RunStarted{kfx::ToUtf8(object.Required("time").AsText()),
                            kfx::ToUtf8(object.Required("documentClass").AsText()),
                            kfx::ToUtf8(object.Required("batch").AsText())};
    } else if (kind == "errorLog") {
        const std::int64_t id = DocumentId(object);
        ErrorLogEntry entry;
        entry.err1 = Int32(object, "err1");
        entry.err2 = Int32(object, "err2");
        entry.err3 = Int32(object, "err3");
        entry.message = object.Required("message").AsText();
        entry.codeModule = object.Required("codeModule").AsText();
        entry.lineNumber = Int32(object, "lineNumber");
        record = LoggedMessage{id, entry};
    } else if (kind == "documentMessage") {
        const std::int64_t id = DocumentId(object);
        DocumentMessage message;
        message.message = object.Required("message").AsText();
        message.errorNumber = Int32(object, "errorNumber");
        message.infoRet = Int32(object, "infoRet");
        record = LoggedMessage{id, message};
    } else if (kind == "outcome") {
        record = DocumentOutcome{DocumentId(object), kfx::ToUtf8(object.Required("outcome").AsText())};
    } else {
        object.Required("kind").Fail("unknown kind \"" + Excerpt(kind) + "\"");
    }
    object.Finish();
    return record;
}

}  // namespace

std::filesystem::path LogPathFor(const std::filesystem::path& documentClassFile) {
    std::filesystem::path log = documentClassFile;
    log.replace_extension(".log.jsonl");
    return log;
}

ReleaseLogWriter::ReleaseLogWriter(std::filesystem::path path)
    : path_(std::move(path)), out_(path_, std::ios::binary | std::ios::app) {
    if (!out_) throw StoreError(path_.string() + ": cannot open the log for appending");
}

void ReleaseLogWriter::Append(const LogRecord& record) {
    out_ << ToJson(record).dump() << '\n';
    out_.flush();
    if (!out_) throw StoreError(path_.string() + ": cannot write to the log");
}

std::vector<LogRecord> ReadReleaseLog(const std::filesystem::path& path) {
    std::vector<LogRecord> records;
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) return records;
    std::istringstream lines(ReadTextFile(path));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string place = path.string() + ":" + std::to_string(number);
        const Json parsed = ParseStrictJson(line, place);
        records.push_back(FromJson(JsonNode(parsed, "", place)));
    }
    return records;
}

}  // namespace standin
