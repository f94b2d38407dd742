#include "data_access/sanitise/best_fit.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace dbAx {
namespace {

struct LookAlike {
    UChar32 from;
    UChar32 to;
};

// Letters without a decomposition, and typographic punctuation that
// accounting systems receive from word processors. Ascending by `from`.
constexpr auto kLookAlikes = std::to_array<LookAlike>({
    {0x00B4, u'\''},  // acute accent used as an apostrophe
    {0x00D0, u'D'},   // Ð
    {0x00D8, u'O'},   // Ø
    {0x00F0, u'd'},   // ð
    {0x00F8, u'o'},   // ø
    {0x0110, u'D'},   // Đ
    {0x0111, u'd'},   // đ
    {0x0126, u'H'},   // Ħ
    {0x0127, u'h'},   // ħ
    {0x0131, u'i'},   // ı
    {0x013F, u'L'},   // Ŀ
    {0x0140, u'l'},   // ŀ
    {0x0141, u'L'},   // Ł
    {0x0142, u'l'},   // ł
    {0x0166, u'T'},   // Ŧ
    {0x0167, u't'},   // ŧ
    {0x0180, u'b'},   // ƀ
    {0x2010, u'-'},   // hyphen
    {0x2011, u'-'},   // non-breaking hyphen
    {0x2012, u'-'},   // figure dash
    {0x2013, u'-'},   // en dash
    {0x2014, u'-'},   // em dash
    {0x2015, u'-'},   // horizontal bar
    {0x2018, u'\''},  // left single quotation mark
    {0x2019, u'\''},  // right single quotation mark, the usual apostrophe
    {0x201A, u'\''},  // single low-9 quotation mark
    {0x201B, u'\''},  // single high-reversed-9 quotation mark
    {0x201C, u'"'},   // left double quotation mark
    {0x201D, u'"'},   // right double quotation mark
    {0x201E, u'"'},   // double low-9 quotation mark
    {0x201F, u'"'},   // double high-reversed-9 quotation mark
    {0x2032, u'\''},  // prime
    {0x2033, u'"'},   // double prime
    {0x2039, u'<'},   // single left-pointing angle quotation mark
    {0x203A, u'>'},   // single right-pointing angle quotation mark
    {0x2212, u'-'},   // minus sign
});

std::optional<UChar32> LookAlikeOf(UChar32 c) {
    const auto found = std::lower_bound(kLookAlikes.begin(), kLookAlikes.end(), c,
                                        [](const LookAlike& entry, UChar32 key) { return entry.from < key; });
    if (found == kLookAlikes.end() || found->from != c) return std::nullopt;
    return found->to;
}

// Combining marks start at U+0300; the test below it spares the property
// lookup for most Latin text.
constexpr UChar32 kFirstMark = 0x0300;

bool IsMark(UChar32 c) { return c >= kFirstMark && (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0; }

const icu::Normalizer2& Normalizer(const icu::Normalizer2* (*instance)(UErrorCode&)) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = instance(status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU normalisation data is missing: ") + u_errorName(status));
    return *normalizer;
}

struct Normalizers {
    const icu::Normalizer2& nfc = Normalizer(icu::Normalizer2::getNFCInstance);
    const icu::Normalizer2& nfd = Normalizer(icu::Normalizer2::getNFDInstance);
    const icu::Normalizer2& nfkd = Normalizer(icu::Normalizer2::getNFKDInstance);
};

// ICU's instances live as long as the process; looked up once.
const Normalizers& SharedNormalizers() {
    static const Normalizers normalizers;
    return normalizers;
}

class Fitter {
public:
    Fitter(const icu::UnicodeSet& held, std::optional<std::span<const PlatformBestFit>> platformFits)
        : held_(held),
          platformFits_(platformFits),
          nfc_(SharedNormalizers().nfc),
          nfd_(SharedNormalizers().nfd),
          nfkd_(SharedNormalizers().nfkd) {}

    bool Holds(UChar32 c) const { return held_.contains(c); }

    // A base character with the combining marks that follow it in the text.
    std::optional<icu::UnicodeString> FitSequence(const icu::UnicodeString& sequence) const {
        const icu::UnicodeString composed = Compose(sequence);
        const bool heldAsItIs = held_.containsAll(sequence);
        // Composition proper only: a held mark that normalisation merely
        // swaps for its preferred twin (U+0340 for U+0300) stays as it is.
        if (held_.containsAll(composed) && (!heldAsItIs || composed.length() < sequence.length())) return composed;
        if (heldAsItIs) return sequence;
        return HeldForm(Decompose(sequence), MarkDropping::Forbidden);
    }

    // One character, with no combining mark after it, that the repertoire lacks.
    std::optional<icu::UnicodeString> FitCharacter(UChar32 c) const {
        if (platformFits_) return PlatformFit(c);
        if (const auto lookAlike = LookAlikeOf(c); lookAlike && Holds(*lookAlike)) return icu::UnicodeString(*lookAlike);
        for (const icu::Normalizer2* decomposer : {&nfd_, &nfkd_}) {
            icu::UnicodeString decomposition;
            if (!decomposer->getDecomposition(c, decomposition)) continue;
            if (auto form = HeldForm(decomposition, MarkDropping::AfterLetter)) return form;
        }
        return std::nullopt;
    }

private:
    enum class MarkDropping { Forbidden, AfterLetter };

    std::optional<icu::UnicodeString> PlatformFit(UChar32 c) const {
        const auto found = std::lower_bound(platformFits_->begin(), platformFits_->end(), c,
                                            [](const PlatformBestFit& entry, UChar32 key) { return entry.from < key; });
        if (found == platformFits_->end() || found->from != c || !Holds(found->to)) return std::nullopt;
        return icu::UnicodeString(static_cast<UChar32>(found->to));
    }

    icu::UnicodeString Compose(const icu::UnicodeString& text) const {
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeString composed = nfc_.normalize(text, status);
        if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU composition failed: ") + u_errorName(status));
        return composed;
    }

    icu::UnicodeString Decompose(const icu::UnicodeString& text) const {
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeString decomposed = nfd_.normalize(text, status);
        if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU decomposition failed: ") + u_errorName(status));
        return decomposed;
    }

    // A held form of a decomposed base and its marks: composed with as many
    // of the marks as the repertoire has a precomposed character for, the
    // rest kept as separate marks when held. Only a letter or digit may lose
    // marks (so "ő" gives "o"), and only when asked to.
    std::optional<icu::UnicodeString> HeldForm(const icu::UnicodeString& decomposed, MarkDropping dropping) const {
        const UChar32 base = decomposed.char32At(0);
        std::vector<UChar32> marks;
        for (int32_t at = U16_LENGTH(base); at < decomposed.length(); at += U16_LENGTH(decomposed.char32At(at))) {
            const UChar32 mark = decomposed.char32At(at);
            if (!IsMark(mark)) return std::nullopt;  // several base characters: no one-character equivalent
            marks.push_back(mark);
        }
        const bool mayDrop = dropping == MarkDropping::AfterLetter && u_isalnum(base);

        for (std::size_t composedMarks = marks.size() + 1; composedMarks-- > 0;) {
            icu::UnicodeString form(base);
            for (std::size_t i = 0; i < composedMarks; ++i) form.append(marks[i]);
            form = Compose(form);
            if (composedMarks == 0 && !Holds(base) && dropping == MarkDropping::AfterLetter) {
                const auto lookAlike = LookAlikeOf(base);
                if (lookAlike) form = icu::UnicodeString(*lookAlike);
            }
            if (!held_.containsAll(form)) continue;

            bool complete = true;
            for (std::size_t i = composedMarks; i < marks.size(); ++i) {
                if (Holds(marks[i])) {
                    form.append(marks[i]);
                } else {
                    complete = false;
                }
            }
            if (complete || mayDrop) return form;
        }
        return std::nullopt;
    }

    const icu::UnicodeSet& held_;
    const std::optional<std::span<const PlatformBestFit>> platformFits_;
    const icu::Normalizer2& nfc_;
    const icu::Normalizer2& nfd_;
    const icu::Normalizer2& nfkd_;
};

void Append(kfx::Text& out, const icu::UnicodeString& form) { out.append(form.getBuffer(), static_cast<std::size_t>(form.length())); }

void Append(kfx::Text& out, char32_t c) {
    char16_t units[2];
    std::size_t length = 0;
    U16_APPEND_UNSAFE(units, length, static_cast<UChar32>(c));
    out.append(units, length);
}

}  // namespace

kfx::Text BestFit(std::u16string_view text, const icu::UnicodeSet& held, char32_t substitute,
                  std::optional<std::span<const PlatformBestFit>> platformFits) {
    const Fitter fitter(held, platformFits);
    const char16_t* units = text.data();
    const auto length = static_cast<int32_t>(text.size());

    kfx::Text out;
    out.reserve(text.size());
    int32_t at = 0;
    while (at < length) {
        const int32_t start = at;
        UChar32 c;
        U16_NEXT(units, at, length, c);

        int32_t end = at;
        while (end < length) {
            int32_t next = end;
            UChar32 following;
            U16_NEXT(units, next, length, following);
            if (!IsMark(following)) break;
            end = next;
        }

        if (end == at) {
            if (fitter.Holds(c)) {
                out.append(units + start, static_cast<std::size_t>(at - start));
            } else if (const auto form = fitter.FitCharacter(c)) {
                Append(out, *form);
            } else {
                Append(out, substitute);
            }
        } else {
            const icu::UnicodeString sequence(false, units + start, end - start);
            if (const auto form = fitter.FitSequence(sequence)) {
                Append(out, *form);
            } else {
                Append(out, substitute);
            }
            at = end;
        }
    }
    return out;
}

}  // namespace dbAx
