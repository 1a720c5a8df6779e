#include "online/signature.h"
#include "platform/signature_verifier.h"
#include <algorithm>
#include <cctype>

namespace {
constexpr size_t SIGNATURE_BYTES = 256; // RSA-2048
const char* const KEY = "signature=";

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool StartsWithKey(const std::string& bytes, size_t at) {
    for (size_t i = 0; KEY[i] != '\0'; ++i) {
        if (at + i >= bytes.size() ||
            std::tolower(static_cast<unsigned char>(bytes[at + i])) != KEY[i])
            return false;
    }
    return true;
}
} // namespace

std::string ExtractSignatureLine(const std::string& descriptorBytes) {
    const std::string bytes = descriptorBytes.substr(0, descriptorBytes.find('\0'));
    for (size_t line = 0; line < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', line), bytes.size());
        if (StartsWithKey(bytes, line)) {
            std::string value = bytes.substr(line + 10, end - line - 10);
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
                value.pop_back();
            return value;
        }
        line = end + 1;
    }
    return {};
}

bool DecodeBase64(const std::string& text, std::string& bytes) {
    if (text.size() % 4 != 0)
        return false;
    std::string decoded;
    for (size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        const size_t padding = last ? (text[at + 3] == '=') + (text[at + 2] == '=') : 0;
        if (padding == 1 && text[at + 2] == '=')
            return false; // "x=y=" style
        uint32_t group = 0;
        for (size_t i = 0; i < 4 - padding; ++i) {
            const int value = Base64Value(text[at + i]);
            if (value < 0)
                return false;
            group = group << 6 | static_cast<uint32_t>(value);
        }
        group <<= 6 * padding;
        // Bits that the padding leaves unused must be zero, or two texts would mean one thing.
        if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0))
            return false;
        for (size_t i = 0; i < 3 - padding; ++i)
            decoded.push_back(static_cast<char>(group >> (16 - 8 * i) & 0xFF));
    }
    bytes = decoded;
    return true;
}

std::string SignedMessage(const UpdateClaim& claim, const std::string& fileBytes) {
    std::string message = "quillmate-update\n";
    message += claim.kind == UpdateKind::FIRMWARE ? "firmware\n" : "tool\n";
    message += std::to_string(claim.major) + "." + std::to_string(claim.mid) + "." +
               std::to_string(claim.minor) + "\n";
    return message + fileBytes;
}

bool IsTrustedUpdate(ISignatureVerifier* verifier, const UpdateClaim& claim,
                     const std::string& fileBytes) {
    if (!verifier || !verifier->HasKey())
        return true;
    std::string signature;
    if (!DecodeBase64(claim.signature, signature) || signature.size() != SIGNATURE_BYTES)
        return false;
    return verifier->Verify(SignedMessage(claim, fileBytes), signature);
}
