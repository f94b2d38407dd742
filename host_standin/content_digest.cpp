#include "host_standin/content_digest.h"

#include <cstdint>

namespace standin {
namespace {

// Every text goes in with its length, so that no two contents run together
// into the same stream ("ab","c" and "a","bc" differ).
class Digest {
public:
    void Add(const kfx::Text& text) {
        AddNumber(text.size());
        for (char16_t unit : text) {
            AddByte(static_cast<unsigned char>(unit & 0xFF));
            AddByte(static_cast<unsigned char>(unit >> 8));
        }
    }
    void Add(const FieldValues& fields) {
        AddNumber(fields.size());
        for (const auto& [name, value] : fields) {
            Add(name);
            Add(value);
        }
    }
    void AddNumber(std::uint64_t number) {
        for (int shift = 0; shift < 64; shift += 8) AddByte(static_cast<unsigned char>(number >> shift));
    }
    std::string Hex() const {
        std::string text(16, '0');
        for (int digit = 15, shift = 0; digit >= 0; --digit, shift += 4) text[digit] = "0123456789abcdef"[(state_ >> shift) & 0xF];
        return text;
    }

private:
    void AddByte(unsigned char byte) {
        state_ ^= byte;
        state_ *= 0x100000001b3ULL;
    }

    std::uint64_t state_ = 0xcbf29ce484222325ULL;
};

}  // namespace

std::string ContentDigest(const Batch& batch, const BatchDocument& document) {
    Digest digest;
    digest.Add(batch.batchName);
    digest.Add(batch.batchFields);
    digest.Add(document.pdfFileName);
    digest.Add(document.indexFields);
    digest.AddNumber(document.tables.size());
    for (const auto& [name, rows] : document.tables) {
        digest.Add(name);
        digest.AddNumber(rows.size());
        for (const FieldValues& row : rows) digest.Add(row);
    }
    digest.Add(document.hostValues);
    return digest.Hex();
}

}  // namespace standin
