// The signature check's portable part. Property: with a key that confirms exactly one
// signature over one message, any flipped bit (in the signature text, the file, the version or
// the kind) is refused, and only the unchanged inputs pass. Besides, base64 that decodes is the
// one canonical text of its bytes, and the signature line is found without a crash.
#include "online/signature.h"
#include "platform/signature_verifier.h"
#include "tests/fuzz/fuzz_input.h"
#include <cstring>

namespace {
std::string Encode(const std::string& bytes) {
    static const char* const ALPHABET =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t at = 0; at < bytes.size(); at += 3) {
        const size_t count = bytes.size() - at < 3 ? bytes.size() - at : 3;
        uint32_t group = 0;
        for (size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
        for (size_t i = 0; i < 4; ++i)
            text.push_back(i <= count ? ALPHABET[group >> (18 - 6 * i) & 0x3F] : '=');
    }
    return text;
}

std::string Pattern(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 131 + seed);
    return bytes;
}

// The one signature this key confirms, over the one message.
const std::string SIGNATURE = Pattern(256, 7);
const std::string FILE_BYTES = Pattern(300, 3);
const UpdateClaim CLAIM = {UpdateKind::FIRMWARE, 0, 2, 10, Encode(SIGNATURE)};

class COneSignature : public ISignatureVerifier {
  public:
    bool HasKey() override { return true; }
    bool Verify(const std::string& message, const std::string& signature) override {
        return message == SignedMessage(CLAIM, FILE_BYTES) && signature == SIGNATURE;
    }
};

// The inputs as one block of bytes: signature text, file, version parts, kind.
std::string Block(const UpdateClaim& claim, const std::string& file) {
    int32_t parts[3] = {claim.major, claim.mid, claim.minor};
    std::string block = claim.signature + file;
    block.append(reinterpret_cast<const char*>(parts), sizeof parts);
    block.push_back(claim.kind == UpdateKind::TOOL ? 1 : 0);
    return block;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    std::string decoded;
    if (DecodeBase64(raw, decoded))
        FUZZ_CHECK(Encode(decoded) == raw);
    ExtractSignatureLine(raw);

    // Every two input bytes name one bit of the block to flip.
    const std::string original = Block(CLAIM, FILE_BYTES);
    std::string block = original;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const size_t bit = (data[i] | data[i + 1] << 8) % (block.size() * 8);
        block[bit / 8] = static_cast<char>(block[bit / 8] ^ (1 << bit % 8));
    }
    const size_t text = CLAIM.signature.size();
    UpdateClaim claim = CLAIM;
    claim.signature = block.substr(0, text);
    const std::string file = block.substr(text, FILE_BYTES.size());
    int32_t parts[3];
    std::memcpy(parts, block.data() + text + FILE_BYTES.size(), sizeof parts);
    claim.major = parts[0];
    claim.mid = parts[1];
    claim.minor = parts[2];
    const char kind = block.back();
    claim.kind = kind & 1 ? UpdateKind::TOOL : UpdateKind::FIRMWARE;
    COneSignature key;
    const bool accepted = IsTrustedUpdate(&key, claim, file);
    // A kind byte of 2 reads as firmware again: only the bit that the kind uses counts.
    block.back() = static_cast<char>(kind & 1);
    FUZZ_CHECK(accepted == (block == original));
    return 0;
}
