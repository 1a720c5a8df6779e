#pragma once
#include "platform/signature_verifier.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// RSA-2048 PKCS#1 v1.5 over SHA-256 through CryptoAPI, which every supported system has.
class CWin32SignatureVerifier : public ISignatureVerifier {
  public:
    // The key built into the program (none in a build without one).
    CWin32SignatureVerifier();
    // A key given as its modulus (most significant byte first) and public exponent.
    CWin32SignatureVerifier(const unsigned char* modulus, size_t size, uint32_t exponent);

    bool HasKey() override { return !m_modulus.empty(); }
    bool Verify(const std::string& message, const std::string& signature) override;

  private:
    std::vector<unsigned char> m_modulus;
    uint32_t m_exponent = 0;
};
