#pragma once
#include <cstdint>
#include <string>

class ISignatureVerifier;

enum class UpdateKind { FIRMWARE, TOOL };

// What the signature of a downloaded file must confirm: the kind and the version on offer.
struct UpdateClaim {
    UpdateKind kind = UpdateKind::FIRMWARE;
    int32_t major = 0;
    int32_t mid = 0;
    int32_t minor = 0;
    std::string signature; // base64, as the descriptor's "signature=" line carries it
};

// The value of the descriptor's "signature=" line (key in any letter case, at the start of a
// line; the value up to the line's end, trailing white space removed); empty when there is none.
std::string ExtractSignatureLine(const std::string& descriptorBytes);
// Strict base64 (RFC 4648 alphabet, padded, unused bits zero): every text decodes to at most one
// byte string and no two texts to the same one. False for anything else.
bool DecodeBase64(const std::string& text, std::string& bytes);
// The signed message: "quillmate-update\n", "firmware" or "tool", "\n", the version as
// "major.mid.minor", "\n", then the file's bytes.
std::string SignedMessage(const UpdateClaim& claim, const std::string& fileBytes);
// Whether a downloaded file may be kept and run: always when the program has no key; otherwise
// only with a 256-byte signature that the key confirms over the file and the claimed version.
bool IsTrustedUpdate(ISignatureVerifier* verifier, const UpdateClaim& claim,
                     const std::string& fileBytes);
