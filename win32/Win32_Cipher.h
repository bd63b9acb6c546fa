#pragma once
#include "platform/Cipher.h"
#include "win32/Unique_Handle.h"

#include <bcrypt.h>

#include <string>

struct Algorithm_Traits {
    using Handle = BCRYPT_ALG_HANDLE;
    static constexpr Handle Invalid() { return nullptr; }
    static void Close(Handle H) { BCryptCloseAlgorithmProvider(H, 0); }
};
using Unique_Algorithm = Unique_Handle<Algorithm_Traits>;

// The account's DPAPI for the wrapped secrets, CNG's AES-256-GCM and HMAC-SHA256 for the
// records. Cheap to make: the providers open on first need. It outlives the keys it makes.
class Win32_Cipher final : public Cipher {
  public:
    Win32_Cipher() = default;
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

    INIT_ONCE Once_ = INIT_ONCE_STATIC_INIT;
    Unique_Algorithm Aes_, Hmac_;
    std::string Refused_;
};
