// The store's log: every error-log entry and document message of every
// release run, with the start and the outcome of each document, appended as
// JSON lines. Every record names its run, so runs that overlap stay apart.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "host_standin/append_only_file.h"
#include "host_standin/message_sink.h"

namespace standin {

// The log of a document class lives beside its file: "invoice.json" logs to
// "invoice.log.jsonl".
std::filesystem::path LogPathFor(const std::filesystem::path& documentClassFile);

struct RunStarted {
    std::string time;  // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::string documentClassFile;
    std::string batchFile;      // as given
    std::string batchIdentity;  // the batch file's canonical path: which runs released the same batch
    bool again = false;         // --again: every document released anew, whatever earlier runs did

    friend bool operator==(const RunStarted&, const RunStarted&) = default;
};

// The document is about to be handed to the component.
struct DocumentStarted {
    std::int64_t documentId = 0;
    std::string content;  // the digest of what was captured (content_digest.h); empty in older logs

    friend bool operator==(const DocumentStarted&, const DocumentStarted&) = default;
};

struct LoggedMessage {
    std::int64_t documentId = 0;
    HostMessage message;

    friend bool operator==(const LoggedMessage&, const LoggedMessage&) = default;
};

struct DocumentOutcome {
    std::int64_t documentId = 0;
    std::string outcome;  // one of the outcomes below
    std::string content;  // as DocumentStarted's

    friend bool operator==(const DocumentOutcome&, const DocumentOutcome&) = default;
};

inline constexpr const char* kReleased = "released";
inline constexpr const char* kFailed = "failed";
inline constexpr const char* kNotReleased = "not released";
inline constexpr const char* kAlreadyReleased = "already released";
inline constexpr const char* kInDoubt = "in doubt";

using LogRecord = std::variant<RunStarted, DocumentStarted, LoggedMessage, DocumentOutcome>;

struct LogEntry {
    std::string runId;
    LogRecord record;

    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

// A new run's identity: its start time and 64 random bits, as
// "20260314T092653Z-3f2a9c0d11e4b765".
std::string NewRunId(const std::string& utcTimestamp);

// Appends the records of one run, one line each, every line with one write
// so that a crash leaves at most the last line cut short. The file is opened
// at the first record; a line an earlier writer could not finish is ended
// first, with a record saying so, so that the new line never joins it.
class ReleaseLogWriter {
public:
    ReleaseLogWriter(std::filesystem::path path, std::string runId);
    // For tests: the file given instead of the one at path.
    ReleaseLogWriter(std::filesystem::path path, std::string runId, std::unique_ptr<AppendOnlyFile> file);

    // Throws StoreError when the log cannot be opened or the line cannot be written.
    void Append(const LogRecord& record);
    // Append, then Sync: for a document's start, which must be on disk
    // before the component sees the document.
    void AppendAndSync(const LogRecord& record);
    // Puts every record appended so far on disk; throws StoreError when the
    // disk refuses. Nothing to do before the first record.
    void Sync();

    // Whether the first Append created the file.
    bool CreatedTheFile() const { return created_; }
    const std::string& RunId() const { return runId_; }

private:
    void Write(const std::string& line);

    std::filesystem::path path_;
    std::string runId_;
    std::unique_ptr<AppendOnlyFile> file_;
    bool created_ = false;
};

struct ReleaseLog {
    std::vector<LogEntry> entries;
    std::vector<std::string> notes;  // "<file>:<line>: ...", for the lines skipped
};

// Reads the log record by record, holding no more than two of its lines at
// a time, and hands each entry to `take`; answers the notes. An absent log
// is empty, anything but a regular file is refused. A last line cut short,
// or one a later writer ended, is skipped with a note; so is a blank line,
// without one. Throws StoreError naming the file and line of any other
// malformed record, and of a record without a run (written before records
// named their runs).
std::vector<std::string> StreamReleaseLog(const std::filesystem::path& path,
                                          const std::function<void(LogEntry&&)>& take);

// The whole log, as StreamReleaseLog reads it.
ReleaseLog ReadReleaseLog(const std::filesystem::path& path);

}  // namespace standin
