#include "data_access/sanitise/code_page_table.h"
#include "model/windows_code_pages.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/uniset.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>

#include "data_access/sanitise/platform_best_fit_tables.h"
#include "data_access/sanitise/sanitise.h"

namespace dbAx {
namespace {


// Those of them this system refuses, as docs/code-pages.md lists them.
constexpr auto kRefused = std::to_array<std::uint32_t>({
    709,   710,   1361,  10001, 10002, 10003, 10004, 10005, 10008, 10010, 10021, 10079, 10082, 20000, 20001, 20002,
    20003, 20004, 20005, 20105, 20106, 20107, 20108, 20261, 20269, 20423, 20833, 20880, 20905, 20924, 21027, 29001,
    50229, 50931, 50936, 51932, 51950,
});

TEST(CodePageTable, EveryTableEntryOpensInIcuUnderItsOwnName) {
    for (const IcuCodePage& entry : IcuCodePages()) {
        SCOPED_TRACE(entry.codePage);
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open(entry.icuName, &status);
        ASSERT_TRUE(U_SUCCESS(status)) << entry.icuName << ": " << u_errorName(status);
        EXPECT_STREQ(ucnv_getName(converter, &status), entry.icuName);
        ucnv_close(converter);
    }
}

// A best fit named but not generated would quietly fall back to our own.
TEST(CodePageTable, EveryBestFitNamedIsAPlatformTable) {
    int withPlatformBestFit = 0;
    for (const IcuCodePage& entry : IcuCodePages()) {
        if (entry.bestFitCodePage == 0) continue;
        ++withPlatformBestFit;
        EXPECT_TRUE(PlatformBestFits(entry.bestFitCodePage).has_value()) << entry.codePage << " names " << entry.bestFitCodePage;
    }
    EXPECT_GT(withPlatformBestFit, 80);
    EXPECT_FALSE(PlatformBestFits(50220).has_value());
}

TEST(CodePageTable, EverySettingsPageNumberIsConvertedPassedThroughOrRefused) {
    for (const std::int32_t identifier : veldmark::WindowsCodePageIdentifiers()) {
        const auto codePage = static_cast<std::uint32_t>(identifier);
        SCOPED_TRACE(codePage);
        const bool refused = std::binary_search(kRefused.begin(), kRefused.end(), codePage);
        const CodePageUse use = DefaultCodePageConverter().UseOf(codePage);
        if (IsUnicodeCodePage(codePage)) {
            EXPECT_EQ(use, CodePageUse::PassThrough);
            EXPECT_EQ(SanitiseText(u"Müller \U0001F600", codePage, u'#'), u"Müller \U0001F600");
        } else if (refused) {
            EXPECT_EQ(use, CodePageUse::Unusable);
            EXPECT_EQ(CodePageProblem(codePage), UnusableCodePageMessage(codePage));
            EXPECT_THROW(SanitiseText(u"Müller", codePage, 0), UnusableCodePage);
        } else {
            EXPECT_EQ(use, CodePageUse::Convert);
            EXPECT_EQ(CodePageProblem(codePage), std::nullopt);
            // A lone surrogate is held by no code page: it shows the default character.
            EXPECT_EQ(SanitiseText(kfx::Text(1, char16_t(0xDC00)), codePage, 0), u"?");
        }
    }
}

TEST(CodePageTable, NumbersOutsideTheSettingsPageAreRefused) {
    for (const std::uint32_t codePage : {1u, 99u, 1239u, 1259u, 28600u, 65002u, 99999u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_EQ(DefaultCodePageConverter().UseOf(codePage), CodePageUse::Unusable) << codePage;
    }
}

// Each character that ICU reports for the converter and really brings back
// when it is converted alone, followed by a space so that none combines with
// another.
kfx::Text HeldCharactersSpaced(const char* icuName) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(icuName, &status);
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    USet* set = uset_openEmpty();
    ucnv_getUnicodeSet(converter, set, UCNV_ROUNDTRIP_SET, &status);
    EXPECT_TRUE(U_SUCCESS(status)) << icuName << ": " << u_errorName(status);
    const icu::UnicodeSet& reported = *icu::UnicodeSet::fromUSet(set);

    kfx::Text text;
    for (int32_t range = 0; range < reported.getRangeCount(); ++range) {
        for (UChar32 c = reported.getRangeStart(range); c <= reported.getRangeEnd(range); ++c) {
            if (c == 0) continue;  // the result ends at the first NUL
            char16_t units[2];
            int32_t length = 0;
            U16_APPEND_UNSAFE(units, length, c);
            char bytes[32];
            char16_t back[8];
            status = U_ZERO_ERROR;
            const int32_t byteCount = ucnv_fromUChars(converter, bytes, sizeof bytes, units, length, &status);
            const int32_t backLength = ucnv_toUChars(converter, back, 8, bytes, byteCount, &status);
            if (U_FAILURE(status) || kfx::Text(back, backLength) != kfx::Text(units, length)) continue;
            text.append(units, static_cast<std::size_t>(length));
            text += u' ';
        }
    }
    uset_close(set);
    ucnv_close(converter);
    return text;
}

TEST(CodePageTable, EveryCharacterACodePageHoldsPassesUnchanged) {
    for (const IcuCodePage& entry : IcuCodePages()) {
        SCOPED_TRACE(entry.codePage);
        const kfx::Text text = HeldCharactersSpaced(entry.icuName);
        ASSERT_GT(text.size(), 128u);
        kfx::Text sanitised;
        ASSERT_NO_THROW(sanitised = SanitiseText(text, entry.codePage, u'#'));
        if (sanitised != text) {
            const auto differ = std::mismatch(text.begin(), text.end(), sanitised.begin(), sanitised.end());
            ADD_FAILURE() << "changed at offset " << (differ.first - text.begin()) << ": U+" << std::hex
                          << (differ.first != text.end() ? int(*differ.first) : -1) << " became U+"
                          << (differ.second != sanitised.end() ? int(*differ.second) : -1);
        }
    }
}

}  // namespace
}  // namespace dbAx
