// The platform converter's own round trip of every BMP character, for the
// code pages named on the command line: WideCharToMultiByte with composite
// check and default character (best fit left on), then MultiByteToWideChar
// with MB_PRECOMPOSED, as sanitising does on Windows. Writes one file per code
// page, cp<N>.txt in the given folder, listing the characters that do not come
// back as themselves. Built with mingw-w64 and run under Wine by
// scripts/make-code-page-reference; the files are the reference our own
// best-fit tables are generated from and tested against.
//
// File format, one entry a line, hex code points:
//   default XXXX           what the code page's default character reads back as
//   XXXX R1 R2 ...         the character XXXX comes back as R1 R2 ...
//   XXXX-YYYY R1 ...       every character of the range comes back as R1 ...
//   XXXX -                 the character comes back as nothing
// Surrogates are skipped; characters not listed come back unchanged. A code
// page the platform refuses with these flags gets no file, only a line on
// standard error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kCompositeCheckDefaultChar = WC_COMPOSITECHECK | WC_DEFAULTCHAR;

// `ok` false: the converter refused the call.
std::wstring RoundTrip(UINT codePage, wchar_t c, bool& ok) {
    char bytes[16];
    const int byteCount = WideCharToMultiByte(codePage, kCompositeCheckDefaultChar, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
    ok = byteCount > 0;
    if (!ok) return {};
    wchar_t back[16];
    const int length = MultiByteToWideChar(codePage, MB_PRECOMPOSED, bytes, byteCount, back, 16);
    return std::wstring(back, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string Hex(const std::wstring& text) {
    if (text.empty()) return " -";
    std::string out;
    char unit[8];
    for (const wchar_t c : text) {
        std::snprintf(unit, sizeof unit, " %04X", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

void WriteRun(std::FILE* file, unsigned first, unsigned last, const std::wstring& result) {
    if (first == last) {
        std::fprintf(file, "%04X%s\n", first, Hex(result).c_str());
    } else {
        std::fprintf(file, "%04X-%04X%s\n", first, last, Hex(result).c_str());
    }
}

bool WriteCodePage(const std::string& folder, UINT codePage) {
    CPINFOEXW info{};
    bool ok = GetCPInfoExW(codePage, 0, &info) != 0;
    if (ok) RoundTrip(codePage, L'A', ok);
    if (!ok) {
        std::fprintf(stderr, "code page %u: refused by the platform, no file written\n", codePage);
        return true;
    }
    const std::string path = folder + "/cp" + std::to_string(codePage) + ".txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(file, "# Round trip of every BMP character through code page %u (WideCharToMultiByte 0x240, "
                       "MultiByteToWideChar MB_PRECOMPOSED)\n", codePage);
    wchar_t defaultChar[4];
    const int defaultLength = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(info.DefaultChar),
                                                  info.DefaultChar[1] != 0 ? 2 : 1, defaultChar, 4);
    std::fprintf(file, "default%s\n", Hex(std::wstring(defaultChar, defaultLength > 0 ? defaultLength : 0)).c_str());

    bool inRun = false;
    unsigned runFirst = 0;
    unsigned runLast = 0;
    std::wstring runResult;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        bool converted = false;
        const std::wstring result = RoundTrip(codePage, static_cast<wchar_t>(c), converted);
        const bool identity = converted && result.size() == 1 && result[0] == static_cast<wchar_t>(c);
        if (identity) {
            if (inRun) WriteRun(file, runFirst, runLast, runResult);
            inRun = false;
            continue;
        }
        // A run is of adjacent characters with the same result.
        if (inRun && result == runResult && runLast + 1 == c) {
            runLast = c;
            continue;
        }
        if (inRun) WriteRun(file, runFirst, runLast, runResult);
        inRun = true;
        runFirst = runLast = c;
        runResult = result;
    }
    if (inRun) WriteRun(file, runFirst, runLast, runResult);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: platform_round_trip FOLDER CODEPAGE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (!WriteCodePage(argv[1], static_cast<UINT>(std::strtoul(argv[i], nullptr, 10)))) return 1;
    }
    return 0;
}
