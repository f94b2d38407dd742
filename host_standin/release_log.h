// The store's log: every error-log entry and document message of every
// release run, with each document's outcome, appended as JSON lines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "host_standin/message_sink.h"

namespace standin {

// The log of a document class lives beside its file: "invoice.json" logs to
// "invoice.log.jsonl".
std::filesystem::path LogPathFor(const std::filesystem::path& documentClassFile);

struct RunStarted {
    std::string time;  // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::string documentClassFile;
    std::string batchFile;

    friend bool operator==(const RunStarted&, const RunStarted&) = default;
};

struct LoggedMessage {
    std::int64_t documentId = 0;
    HostMessage message;

    friend bool operator==(const LoggedMessage&, const LoggedMessage&) = default;
};

struct DocumentOutcome {
    std::int64_t documentId = 0;
    std::string outcome;  // "released", "failed" or "not released"

    friend bool operator==(const DocumentOutcome&, const DocumentOutcome&) = default;
};

using LogRecord = std::variant<RunStarted, LoggedMessage, DocumentOutcome>;

// Appends records, one line each, flushed at once so that what was released
// is on record even if the run ends early.
class ReleaseLogWriter {
public:
    // Throws StoreError when the log cannot be opened for appending.
    explicit ReleaseLogWriter(std::filesystem::path path);

    // Throws StoreError when the line cannot be written.
    void Append(const LogRecord& record);

private:
    std::filesystem::path path_;
    std::ofstream out_;
};

// Reads the whole log; an absent log is empty. Throws StoreError naming the
// file and line of a malformed record.
std::vector<LogRecord> ReadReleaseLog(const std::filesystem::path& path);

}  // namespace standin
