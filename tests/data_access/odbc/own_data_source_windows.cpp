#include "tests/data_access/odbc/own_data_source.h"

#include "host/windows_api.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/utf8.h"

namespace odbctest {
namespace {

// Where odbccp32 keeps the user's data sources, entry by entry.
const std::u16string kDataSources = u"Software\\ODBC\\ODBC.INI\\";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The Windows name of a Unix path, as Wine maps its drives.
std::wstring WindowsPath(const char* unixPath) {
    using ToDos = LPWSTR(CDECL*)(LPCSTR);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) throw std::runtime_error("a data source of a test's own needs Wine, whose driver manager reads ODBCINI");
    LPWSTR dos = toDos(unixPath);
    if (!dos) throw std::runtime_error(std::string("Wine has no Windows name for ") + unixPath);
    std::wstring path(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("the driver manager's odbc.ini " + kfx::ToUtf8(path.u16string()) + " cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush()) {
        throw std::runtime_error("the driver manager's odbc.ini " + kfx::ToUtf8(path.u16string()) + " cannot be written");
    }
}

// The lines of a section, without its header.
std::string SectionLines(const std::string& entries, const std::string& section) {
    const std::string header = "[" + section + "]\n";
    const auto at = entries.find(header);
    if (at == std::string::npos) throw std::runtime_error("odbc.ini has no entry " + section);
    const auto start = at + header.size();
    const auto next = entries.find("\n[", start);
    return entries.substr(start, next == std::string::npos ? std::string::npos : next + 1 - start);
}

std::u16string RegistryKey(const std::string& name) { return kDataSources + kfx::FromUtf8(name); }

void RemoveFromRegistry(const std::string& name) {
    const std::u16string key = RegistryKey(name);
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(key.c_str()));
}

}  // namespace

// Under Wine the driver manager behind odbc32 is unixODBC: it finds data
// sources in the odbc.ini that ODBCINI named when the program started, and
// a change of the variable later goes unseen. odbccp32, where the provider
// reads a data source's own settings, keeps them in the registry as on
// Windows. So the copy goes to both: a section added to that file, and the
// line as a value of the entry in the registry.
struct OwnDataSource::Kept {
    std::filesystem::path odbcIni;
    std::string original;  // the file's text before the section was added
};

OwnDataSource::OwnDataSource(const std::string& source, const std::string& name, const std::string& line)
    : name_("veldmark_own_" + name), kept_(std::make_unique<Kept>()) {
    const char* odbcIni = std::getenv("ODBCINI");
    if (!odbcIni || !*odbcIni) throw std::runtime_error("ODBCINI is not set");
    kept_->odbcIni = WindowsPath(odbcIni);
    kept_->original = ReadAll(kept_->odbcIni);
    std::string entries = kept_->original;
    if (!entries.empty() && entries.back() != '\n') entries += '\n';
    WriteAll(kept_->odbcIni, entries + "[" + name_ + "]\n" + SectionLines(entries, source) + line + "\n");

    const auto equals = line.find('=');
    if (equals == std::string::npos) throw std::runtime_error("the line '" + line + "' is not key = value");
    const std::u16string key = kfx::FromUtf8(Trimmed(line.substr(0, equals)));
    const std::u16string value = kfx::FromUtf8(Trimmed(line.substr(equals + 1)));
    // Whatever an earlier run that ended early left under this name goes first.
    RemoveFromRegistry(name_);
    HKEY entry = nullptr;
    const std::u16string path = RegistryKey(name_);
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(path.c_str()), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &entry, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(entry, reinterpret_cast<LPCWSTR>(key.c_str()), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
        RegCloseKey(entry);
    }
    if (status != ERROR_SUCCESS) {
        WriteAll(kept_->odbcIni, kept_->original);
        throw std::runtime_error("the data source " + name_ + " cannot be written to the registry (error " +
                                 std::to_string(status) + ")");
    }
}

OwnDataSource::~OwnDataSource() {
    RemoveFromRegistry(name_);
    try {
        WriteAll(kept_->odbcIni, kept_->original);
    } catch (const std::runtime_error& error) {
        ADD_FAILURE() << "the data source " << name_ << " stays: " << error.what();
    }
}

}  // namespace odbctest
