#include "tools/log_command.h"

#include <string>

#include "host/utf8.h"
#include "host_standin/release_log.h"
#include "host_standin/overloaded.h"
#include "host_standin/store_error.h"

namespace standin {
namespace {

// Continuation lines of a message line up under its first line.
std::string Indented(const kfx::Text& message) {
    std::string text = kfx::ToUtf8(message);
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '\n') result += "      ";
    }
    return result;
}

void Print(const LogRecord& record, std::ostream& out) {
    std::visit(Overloaded{
                   [&](const RunStarted& run) {
                       out << "Run " << run.time << ": batch " << run.batchFile << ", document class "
                           << run.documentClassFile << '\n';
                   },
                   [&](const LoggedMessage& logged) {
                       out << "  Document " << logged.documentId << ' ';
                       if (const auto* entry = std::get_if<ErrorLogEntry>(&logged.message)) {
                           out << "error log (Err1 " << entry->err1 << ", Err2 " << entry->err2 << ", Err3 "
                               << entry->err3 << ", " << kfx::ToUtf8(entry->codeModule) << " line "
                               << entry->lineNumber << "):\n      " << Indented(entry->message) << '\n';
                       } else {
                           const auto& message = std::get<DocumentMessage>(logged.message);
                           out << "message (error " << message.errorNumber << ", InfoRet " << message.infoRet
                               << "):\n      " << Indented(message.message) << '\n';
                       }
                   },
                   [&](const DocumentOutcome& outcome) {
                       out << "  Document " << outcome.documentId << ": " << outcome.outcome << '\n';
                   },
               },
               record);
}

}  // namespace

int RunLog(const std::filesystem::path& documentClassFile, const CommandStreams& streams) {
    const std::filesystem::path logFile = LogPathFor(documentClassFile);
    try {
        const std::vector<LogRecord> records = ReadReleaseLog(logFile);
        if (records.empty()) streams.out << "No release is logged in " << logFile.string() << ".\n";
        for (const LogRecord& record : records) Print(record, streams.out);
        return kExitSuccess;
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << '\n';
        return kExitNothingDone;
    }
}

}  // namespace standin
