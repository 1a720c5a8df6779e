#include "online/descriptor.h"
#include "online/signature.h"
#include "tests/support/fake_engine.h"
#include "tests/support/fake_online.h"
#include <gtest/gtest.h>
#include <string>

namespace {
TEST(Signature, Base64IsStrict) {
    const struct {
        const char* text;
        const char* bytes;
    } good[] = {{"", ""}, {"TQ==", "M"}, {"TWE=", "Ma"}, {"TWFu", "Man"}, {"+/8=", "\xfb\xff"}};
    for (const auto& g : good) {
        std::string bytes = "unchanged";
        ASSERT_TRUE(DecodeBase64(g.text, bytes)) << g.text;
        EXPECT_EQ(bytes, g.bytes) << g.text;
        EXPECT_EQ(EncodeBase64(bytes), g.text);
    }
    // Unused bits set, padding inside or misplaced, other alphabets, blanks, wrong lengths.
    for (const char* bad : {"TR==", "TWF=", "TQ=", "T===", "TQ=A", "TQ==TWFu", "TW-u", "TW_u",
                            "TW u", "TWFu\n", "=TWF", "TWFuT", "TQ"}) {
        std::string bytes = "unchanged";
        EXPECT_FALSE(DecodeBase64(bad, bytes)) << bad;
        EXPECT_EQ(bytes, "unchanged") << bad;
    }
}

TEST(Signature, MessageCoversKindVersionAndFile) {
    EXPECT_EQ(SignedMessage({UpdateKind::FIRMWARE, 0, 2, 10, "ignored"}, std::string("MZ\0x", 4)),
              std::string("quillmate-update\nfirmware\n0.2.10\nMZ\0x", 37));
    EXPECT_EQ(SignedMessage({UpdateKind::TOOL, 0, 1, 30, ""}, ""),
              "quillmate-update\ntool\n0.1.30\n");
    EXPECT_EQ(SignedMessage({UpdateKind::FIRMWARE, -1, 0, 0, ""}, ""),
              "quillmate-update\nfirmware\n-1.0.0\n");
}

// The decision: no key means no check (a build without a key behaves as before); with a key
// only a 256-byte signature over this file and this claim counts.
TEST(Signature, Decision) {
    const std::string file = "MZ package";
    UpdateClaim claim = {UpdateKind::FIRMWARE, 0, 2, 10, ""};
    claim.signature = CFakeSignatures::Base64SignatureOf(SignedMessage(claim, file));
    CFakeSignatures key;
    EXPECT_TRUE(IsTrustedUpdate(nullptr, {}, file));
    key.hasKey = false;
    EXPECT_TRUE(IsTrustedUpdate(&key, {}, file));
    EXPECT_EQ(key.verifications, 0);
    key.hasKey = true;
    EXPECT_TRUE(IsTrustedUpdate(&key, claim, file));
    EXPECT_FALSE(IsTrustedUpdate(&key, claim, file + "x"));
    EXPECT_FALSE(IsTrustedUpdate(&key, claim, file.substr(1)));
    for (const int32_t minor : {9, 11}) {
        UpdateClaim other = claim;
        other.minor = minor;
        EXPECT_FALSE(IsTrustedUpdate(&key, other, file)) << minor;
    }
    UpdateClaim tool = claim;
    tool.kind = UpdateKind::TOOL;
    EXPECT_FALSE(IsTrustedUpdate(&key, tool, file));
    UpdateClaim unsigned_ = claim;
    unsigned_.signature.clear();
    EXPECT_FALSE(IsTrustedUpdate(&key, unsigned_, file));
    // A signature of another length is refused before the key is asked.
    const int asked = key.verifications;
    UpdateClaim shorter = claim;
    shorter.signature = EncodeBase64(std::string(255, 's'));
    EXPECT_FALSE(IsTrustedUpdate(&key, shorter, file));
    EXPECT_EQ(key.verifications, asked);
}

const char* const SIGNATURE_LINE = "signature=QUJD+/8=";

TEST(Signature, LineIsFoundAtTheStartOfALineInAnyCase) {
    const struct {
        std::string descriptor;
        std::string expected;
    } cases[] = {
        {"version=V2.10\r\nurl=http://h/p.exe\r\nsignature=QUJD+/8=\r\n", "QUJD+/8="},
        {"SIGNATURE=QUJD\nversion=V2.10\n", "QUJD"},
        {"version=V2.10\nSignature=QUJD  \t", "QUJD"},
        {"info=http://h/signature=QUJD\n", ""},
        {"version=V2.10\n", ""},
        {"signature=\n", ""},
        {std::string("x\n\0signature=QUJD\n", 18), ""},
        {"signature=first\nsignature=second\n", "first"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractSignatureLine(c.descriptor), c.expected) << c.descriptor;
}

// Older copies read descriptors with the extra line exactly as before, wherever it stands.
TEST(Signature, LineLeavesTheDescriptorParseUnchanged) {
    const std::string version = "version=V2.10\r\n";
    const std::string url = "url=http://h/fw/pkg_2_10.exe\r\n";
    const std::string info = "info=http://h/news.htm\r\n";
    const std::string line = std::string(SIGNATURE_LINE) + "\r\n";
    const std::string plain = version + url + info;
    const std::string placed[] = {line + plain, version + line + url + info,
                                  version + url + line + info, plain + line,
                                  plain + SIGNATURE_LINE};
    CFakeUpgradeLibrary codePage;
    for (const DescriptorKind kind : {DescriptorKind::FIRMWARE, DescriptorKind::TOOL}) {
        const DescriptorContent expected = ParseDescriptor(plain, kind, codePage);
        ASSERT_EQ(expected.result, 1);
        for (const std::string& descriptor : placed) {
            const DescriptorContent parsed = ParseDescriptor(descriptor, kind, codePage);
            EXPECT_EQ(parsed.result, expected.result) << descriptor;
            EXPECT_EQ(parsed.major, expected.major) << descriptor;
            EXPECT_EQ(parsed.minor, expected.minor) << descriptor;
            EXPECT_EQ(parsed.packageUrl, expected.packageUrl) << descriptor;
            EXPECT_EQ(parsed.infoUrl, expected.infoUrl) << descriptor;
            EXPECT_EQ(ExtractSignatureLine(descriptor), "QUJD+/8=") << descriptor;
        }
    }
}
} // namespace
