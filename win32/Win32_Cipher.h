#pragma once
#include "platform/Cipher.h"
#include "win32/Unique_Handle.h"

#include <bcrypt.h>
#include <wincrypt.h>

#include <string>

// What the cipher takes from bcrypt.dll and crypt32.dll. The exe does not import them: loading
// them costs a start that never reads the history up to a fifth of a second.
struct Crypto_Functions {
    decltype(&BCryptOpenAlgorithmProvider) Open_Algorithm = nullptr;
    decltype(&BCryptCloseAlgorithmProvider) Close_Algorithm = nullptr;
    decltype(&BCryptSetProperty) Set_Property = nullptr;
    decltype(&BCryptGenerateSymmetricKey) Make_Key = nullptr;
    decltype(&BCryptDestroyKey) Destroy_Key = nullptr;
    decltype(&BCryptEncrypt) Encrypt = nullptr;
    decltype(&BCryptDecrypt) Decrypt = nullptr;
    decltype(&BCryptCreateHash) Create_Hash = nullptr;
    decltype(&BCryptHashData) Hash_Data = nullptr;
    decltype(&BCryptFinishHash) Finish_Hash = nullptr;
    decltype(&BCryptDestroyHash) Destroy_Hash = nullptr;
    decltype(&BCryptGenRandom) Gen_Random = nullptr;
    decltype(&CryptProtectData) Protect = nullptr;
    decltype(&CryptUnprotectData) Unprotect = nullptr;
};

using Unique_Module = Unique_Handle<Win32_Traits<HMODULE, FreeLibrary>>;

// The account's DPAPI for the wrapped secrets, CNG's AES-256-GCM and HMAC-SHA256 for the
// records. Cheap to make: the DLLs load and the providers open on first need, on whichever
// thread asks first. It outlives the keys it makes. The DLL names are for tests.
class Win32_Cipher final : public Cipher {
  public:
    explicit Win32_Cipher(const wchar_t* Cng_Dll = L"bcrypt.dll",
                          const wchar_t* Protection_Dll = L"crypt32.dll")
        : Cng_Dll_(Cng_Dll), Protection_Dll_(Protection_Dll) {}
    ~Win32_Cipher() override;
    Win32_Cipher(const Win32_Cipher&) = delete;
    Win32_Cipher& operator=(const Win32_Cipher&) = delete;

    std::string Available() override;
    void Random(std::span<uint8_t> Out) override;
    std::vector<uint8_t> Wrap(std::span<const uint8_t> Secrets) override;
    std::optional<std::vector<uint8_t>> Unwrap(std::span<const uint8_t> Blob) override;
    std::unique_ptr<Record_Key> Use(const Secret& Seal_Key, const Secret& Name_Key) override;

  private:
    static BOOL CALLBACK Open_Providers(INIT_ONCE*, void* Self, void**);
    const std::string& Opened();
    std::string Load();
    std::string Open_Algorithms();

    const wchar_t* const Cng_Dll_;
    const wchar_t* const Protection_Dll_;
    INIT_ONCE Once_ = INIT_ONCE_STATIC_INIT;
    // Freed with the cipher, after the providers close: its keys, which borrow both, are gone.
    Unique_Module Cng_, Protection_;
    Crypto_Functions F_;
    BCRYPT_ALG_HANDLE Aes_ = nullptr, Hmac_ = nullptr;
    std::string Refused_;
};
