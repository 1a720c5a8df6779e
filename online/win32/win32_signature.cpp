#include "online/win32/win32_signature.h"
#include "platform/win32/scoped_handles.h"
#include "update_key.h"
#include <wincrypt.h>
#include <algorithm>

namespace {
struct ProviderTraits {
    static HCRYPTPROV Invalid() { return 0; }
    static bool IsValid(HCRYPTPROV provider) { return provider != 0; }
    static void Close(HCRYPTPROV provider) { CryptReleaseContext(provider, 0); }
};
struct KeyTraits {
    static HCRYPTKEY Invalid() { return 0; }
    static bool IsValid(HCRYPTKEY key) { return key != 0; }
    static void Close(HCRYPTKEY key) { CryptDestroyKey(key); }
};
struct HashTraits {
    static HCRYPTHASH Invalid() { return 0; }
    static bool IsValid(HCRYPTHASH hash) { return hash != 0; }
    static void Close(HCRYPTHASH hash) { CryptDestroyHash(hash); }
};
using CScopedProvider = CScoped<HCRYPTPROV, ProviderTraits>;
using CScopedCryptKey = CScoped<HCRYPTKEY, KeyTraits>;
using CScopedHash = CScoped<HCRYPTHASH, HashTraits>;

// A PUBLICKEYBLOB: the headers, then the modulus least significant byte first.
std::vector<BYTE> PublicKeyBlob(const std::vector<unsigned char>& modulus, uint32_t exponent) {
    std::vector<BYTE> blob(sizeof(BLOBHEADER) + sizeof(RSAPUBKEY) + modulus.size());
    BLOBHEADER header = {PUBLICKEYBLOB, CUR_BLOB_VERSION, 0, CALG_RSA_KEYX};
    RSAPUBKEY rsa = {0x31415352 /* "RSA1" */, static_cast<DWORD>(modulus.size() * 8), exponent};
    std::copy_n(reinterpret_cast<const BYTE*>(&header), sizeof header, blob.begin());
    std::copy_n(reinterpret_cast<const BYTE*>(&rsa), sizeof rsa, blob.begin() + sizeof header);
    std::reverse_copy(modulus.begin(), modulus.end(), blob.begin() + sizeof header + sizeof rsa);
    return blob;
}
} // namespace

CWin32SignatureVerifier::CWin32SignatureVerifier()
    : CWin32SignatureVerifier(UPDATE_KEY_MODULUS, UPDATE_KEY_SIZE, UPDATE_KEY_EXPONENT) {}

CWin32SignatureVerifier::CWin32SignatureVerifier(const unsigned char* modulus, size_t size,
                                                 uint32_t exponent)
    : m_modulus(modulus, modulus + size), m_exponent(exponent) {}

bool CWin32SignatureVerifier::Verify(const std::string& message, const std::string& signature) {
    if (m_modulus.empty() || signature.size() != m_modulus.size() || message.size() > MAXDWORD)
        return false;
    CScopedProvider provider;
    if (!CryptAcquireContextW(provider.Receive(), nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT))
        return false;
    const std::vector<BYTE> blob = PublicKeyBlob(m_modulus, m_exponent);
    CScopedCryptKey key;
    if (!CryptImportKey(provider.Get(), blob.data(), static_cast<DWORD>(blob.size()), 0, 0,
                        key.Receive()))
        return false;
    CScopedHash hash;
    if (!CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, hash.Receive()) ||
        !CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(message.data()),
                       static_cast<DWORD>(message.size()), 0))
        return false;
    // CryptoAPI takes the signature least significant byte first.
    std::vector<BYTE> reversed(signature.rbegin(), signature.rend());
    return CryptVerifySignatureW(hash.Get(), reversed.data(), static_cast<DWORD>(reversed.size()),
                                 key.Get(), nullptr, 0) != FALSE;
}
