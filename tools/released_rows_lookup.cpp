#include "tools/released_rows_lookup.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_access/ax_connection.h"
#include "data_access/ax_exception.h"
#include "data_access/provider/provider_connection.h"
#include "data_access/sanitise/sanitise.h"
#include "host/text_format.h"
#include "host/utf8.h"
#include "tools/invoice_keys.h"
#include "host_standin/message_sink.h"
#include "host_standin/release_data.h"
#include "release/release_settings.h"
#include "tools/status_text.h"

namespace standin {
namespace {

using kfx::Text;

veldmark::ReleaseSettings SettingsOf(const ReleaseDocument& document) {
    auto data = MakeHostObject<ReleaseData>(nullptr, document, std::make_shared<MessageSink>());
    kfx::ComPtr<kfx::IValues> values;
    if (kfx::Failed(data->get_Values(values.Put()))) throw LookupError("the document's values cannot be read");
    veldmark::ReleaseSettings settings =
        veldmark::ResolveReleaseSettings(data.Get(), values.Get(), document.pdfFileName);
    if (std::optional<Text> problem = veldmark::SettingsProblem(settings)) throw LookupError(OnOneLine(*problem));
    return settings;
}

// The key as the component stores it: sanitised as every value it assigns,
// compared without trailing blanks, as a CHAR column compares.
Text AsStored(const Text& key, const veldmark::ReleaseSettings& settings) {
    Text stored;
    try {
        stored = dbAx::SanitiseText(key, static_cast<std::uint32_t>(settings.codePage), settings.replacementChar);
    } catch (const dbAx::UnusableCodePage& problem) {
        throw LookupError(OnOneLine(problem.Message()));
    }
    stored.erase(stored.find_last_not_of(u' ') + 1);
    return stored;
}

std::int64_t CountMatching(dbAx::provider::ProviderConnection& connection, const veldmark::ReleaseSettings& settings,
                           const Text& file, const std::vector<KeyValue>& keys) {
    Text selection = u"SELECT 1 FROM " + settings.apiLibrary + u"." + file;
    std::vector<Text> parameters;
    for (const KeyValue& key : keys) {
        selection += (parameters.empty() ? u" WHERE RTRIM(" : u" AND RTRIM(") + kfx::FromUtf8(key.column) + u") = ?";
        parameters.push_back(AsStored(key.value, settings));
    }
    std::int64_t rows = 0;
    const kfx::HRESULT result = connection.CountRows(selection, parameters, &rows);
    if (kfx::Failed(result)) dbAx::RaiseAxError(dbAx::AxPlatformError, u"CountRows " + file, result);
    return rows;
}

}  // namespace

RowsFound FindReleasedRows(const ReleaseDocument& document) {
    const veldmark::ReleaseSettings settings = SettingsOf(document);
    const InvoiceKeys keys = KeysOf(document.values);
    try {
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(dbAx::platform::adUseClient);
        connection.Open(kfx::FormatText(u"Provider=IBMDA400;Data source=%s;", {settings.server}), settings.userName,
                        settings.password);
        auto* provider = dynamic_cast<dbAx::provider::ProviderConnection*>(connection.PlatformConnection());
        if (!provider) throw LookupError("this database platform cannot count rows");
        RowsFound found;
        found.headers = CountMatching(*provider, settings, u"AIP32", keys.header);
        found.lines = CountMatching(*provider, settings, u"AIP33", keys.lines);
        connection.Dispose();
        return found;
    } catch (const dbAx::CAxException& error) {
        throw LookupError(OnOneLine(error.description));
    }
}

}  // namespace standin
