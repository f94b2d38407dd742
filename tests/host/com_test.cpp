#include "host/com.h"
#include "host/release_script.h"

#include <gtest/gtest.h>

namespace kfx {
namespace {

TEST(Guid, WritesAndReadsTheRegistryForm) {
    const Guid guid{0xD0B556C8, 0x975C, 0x4D36, {0xB8, 0x55, 0x0D, 0xD1, 0xAB, 0x0B, 0x62, 0x55}};
    EXPECT_EQ(GuidToString(guid), "{D0B556C8-975C-4D36-B855-0DD1AB0B6255}");
    Guid parsed;
    ASSERT_TRUE(GuidFromString("{d0b556c8-975c-4d36-b855-0dd1ab0b6255}", parsed));
    EXPECT_EQ(parsed, guid);
}

// The identifiers' one source is uuid text; each field lands in its place.
TEST(Guid, ALiteralReadsTheUuidTextAsTheRegistryWritesIt) {
    constexpr Guid guid = GuidLiteral("d0b556c8-975c-4D36-B855-0DD1AB0B6255");
    EXPECT_EQ(guid, (Guid{0xD0B556C8, 0x975C, 0x4D36, {0xB8, 0x55, 0x0D, 0xD1, 0xAB, 0x0B, 0x62, 0x55}}));
    EXPECT_EQ(GuidToString(IID_IKfxReleaseSetupScript), "{5F5E61B2-0B35-4616-BABE-3DCDC12D5E11}");
}

TEST(Guid, RefusesTextThatIsNotAGuid) {
    Guid parsed;
    for (const char* text : {"", "D0B556C8-975C-4D36-B855-0DD1AB0B6255", "{D0B556C8-975C-4D36-B855-0DD1AB0B625}",
                             "{D0B556C8-975C-4D36-B855-0DD1AB0B62555}", "{G0B556C8-975C-4D36-B855-0DD1AB0B6255}"}) {
        EXPECT_FALSE(GuidFromString(text, parsed)) << text;
    }
}

}  // namespace
}  // namespace kfx
