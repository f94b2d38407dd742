// SanitiseText on invoice-like values against a plain ICU round trip through
// an already open converter, for a Windows and an EBCDIC code page; and what
// opening a converter per value would cost. Prints each ratio at the end.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include "data_access/sanitise/code_page_table.h"
#include "data_access/sanitise/sanitise.h"

namespace {

const std::vector<kfx::Text>& InvoiceValues() {
    static const std::vector<kfx::Text> values = {
        u"Müller & Söhne GmbH",
        u"Brauerei Zürich AG",
        u"Łódzkie Zakłady Mięsne Sp. z o.o.",
        u"Société Générale de Café",
        u"Győri Keksz Kft.",
        u"Ørsted Nordic A/S",
        u"O’Brien & Partners Ltd",
        u"株式会社 東京商事",
        u"Hauptstraße 12a",
        u"Rue de l’Église 3, 75001 Paris",
        u"ul. Piotrkowska 104, 90-926 Łódź",
        u"Calle de Alcalá 45, 28014 Madrid",
        u"Vasagatan 7, 111 20 Stockholm",
        u"INV-2024-000153",
        u"DE811234567",
        u"4711",
        u"EUR",
        u"1250.00",
        u"Büromaterial – Kopierpapier A4, 80 g/m², 5 × 500 Blatt",
        u"Wartung Klimaanlage „Q3“ inkl. Anfahrt",
        u"Consulting services, March 2024",
        u"Pièces détachées réf. 12-ÄÖ-77",
        u"Frachtkosten Spedition Kühne",
        u"Lieferung gemäß Rahmenvertrag Nr. 88/2023",
        u"Catering 🍕 Betriebsfeier",
        u"Ersatzteil Ventil Ø 25 mm",
        u"Naïve façade rénovation – phase II",
        u"Smörgåsbord för 12 personer",
        u"USB-C Kabel 2m (schwarz)",
        u"Software-Lizenz 12 Monate",
        u"Reisekosten Kraków–Wrocław",
        u"Hotel Ibis Zürich – 2 Nächte",
        u"Druckerpatronen HP 953XL",
        u"Gebühr für Überweisung",
        u"Leasingrate Fahrzeug M-AB 1234",
        u"Kaffee 咖啡 Bohnen 1 kg",
        u"Reinigung Büroräume Februar",
        u"Rabatt 3 % Skonto",
        u"Versand nach Genève 🚚",
        u"Stückzahl 1.000, Einzelpreis 0,45 €",
    };
    return values;
}

void SanitiseInvoiceValues(benchmark::State& state) {
    const auto codePage = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        for (const kfx::Text& value : InvoiceValues()) {
            benchmark::DoNotOptimize(dbAx::SanitiseText(value, codePage, 0));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(InvoiceValues().size()));
}

UConverter* OpenConverter(benchmark::State& state, std::uint32_t codePage) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(std::string(*dbAx::IcuConverterName(codePage)).c_str(), &status);
    if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
    return converter;
}

void RoundTrip(UConverter* converter, const kfx::Text& value, std::string& bytes, kfx::Text& back) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t byteCount = ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()), value.data(),
                                              static_cast<int32_t>(value.size()), &status);
    const int32_t unitCount = ucnv_toUChars(converter, back.data(), static_cast<int32_t>(back.size()), bytes.data(), byteCount, &status);
    benchmark::DoNotOptimize(unitCount);
}

// The least any conversion into the code page and back costs.
void PlainIcuRoundTrip(benchmark::State& state) {
    UConverter* converter = OpenConverter(state, static_cast<std::uint32_t>(state.range(0)));
    std::string bytes(1024, '\0');
    kfx::Text back(1024, u'\0');
    for (auto _ : state) {
        for (const kfx::Text& value : InvoiceValues()) RoundTrip(converter, value, bytes, back);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(InvoiceValues().size()));
    ucnv_close(converter);
}

// What each value would cost without a converter cache.
void IcuRoundTripOpeningPerValue(benchmark::State& state) {
    const auto codePage = static_cast<std::uint32_t>(state.range(0));
    std::string bytes(1024, '\0');
    kfx::Text back(1024, u'\0');
    for (auto _ : state) {
        for (const kfx::Text& value : InvoiceValues()) {
            UConverter* converter = OpenConverter(state, codePage);
            RoundTrip(converter, value, bytes, back);
            ucnv_close(converter);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(InvoiceValues().size()));
}

constexpr std::int64_t kWindowsLatin = 1252;
constexpr std::int64_t kEbcdicGermany = 1141;

BENCHMARK(SanitiseInvoiceValues)->Arg(kWindowsLatin)->Arg(kEbcdicGermany);
BENCHMARK(PlainIcuRoundTrip)->Arg(kWindowsLatin)->Arg(kEbcdicGermany);
BENCHMARK(IcuRoundTripOpeningPerValue)->Arg(kWindowsLatin)->Arg(kEbcdicGermany);

// Keeps each benchmark's time per iteration so that ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }

    void PrintRatio(const std::string& measured, const std::string& baseline) const {
        const auto m = times_.find(measured);
        const auto b = times_.find(baseline);
        if (m == times_.end() || b == times_.end() || b->second <= 0) return;
        std::printf("%-40s / %-30s = %.2f\n", measured.c_str(), baseline.c_str(), m->second / b->second);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (time per batch of %zu values):\n", InvoiceValues().size());
    for (const std::int64_t codePage : {kWindowsLatin, kEbcdicGermany}) {
        std::string arg = "/";
        arg += std::to_string(codePage);
        reporter.PrintRatio("SanitiseInvoiceValues" + arg, "PlainIcuRoundTrip" + arg);
        reporter.PrintRatio("IcuRoundTripOpeningPerValue" + arg, "PlainIcuRoundTrip" + arg);
    }
    benchmark::Shutdown();
    return 0;
}
