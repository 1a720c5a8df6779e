#pragma once
#include <string>

// Checks signatures against the public key built into the program.
class ISignatureVerifier {
  public:
    virtual ~ISignatureVerifier() = default;
    // Whether the program was built with a key; without one nothing can be verified.
    virtual bool HasKey() = 0;
    // Whether `signature` (RSA PKCS#1 v1.5 over SHA-256, most significant byte first as openssl
    // writes it) signs `message` under the built-in key.
    virtual bool Verify(const std::string& message, const std::string& signature) = 0;
};
