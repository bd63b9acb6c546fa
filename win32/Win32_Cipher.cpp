#include "win32/Win32_Cipher.h"

#include <wincrypt.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

using Unique_Crypt_Key = Unique_Handle<Win32_Traits<BCRYPT_KEY_HANDLE, BCryptDestroyKey>>;
using Unique_Hash = Unique_Handle<Win32_Traits<BCRYPT_HASH_HANDLE, BCryptDestroyHash>>;
using Unique_Local = Unique_Handle<Win32_Traits<HLOCAL, LocalFree>>;

bool Ok(NTSTATUS Status) {
    return Status >= 0;
}

std::string Refusal(const char* What, NTSTATUS Status) {
    char Text[96];
    std::snprintf(Text, sizeof Text, "%s (status 0x%08lX)", What,
                  static_cast<unsigned long>(Status));
    return Text;
}

// CNG's byte pointers are not const even where it only reads.
PUCHAR Bytes(std::span<const uint8_t> S) {
    return const_cast<PUCHAR>(S.data());
}

bool Fits(size_t Size) {
    return Size <= ULONG_MAX;
}

void Random_Bytes(std::span<uint8_t> Out) {
    for (size_t At = 0; At < Out.size();) {
        const ULONG Part = ULONG(std::min<size_t>(Out.size() - At, ULONG_MAX));
        // A nonce that is not random may repeat and give the text away: no way on without it.
        if (!Ok(BCryptGenRandom(nullptr, Out.data() + At, Part, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            std::abort();
        At += Part;
    }
}

class Win32_Record_Key final : public Record_Key {
  public:
    Win32_Record_Key(Unique_Crypt_Key Sealing, BCRYPT_ALG_HANDLE Hmac, const Secret& Name_Key)
        : Seal_(std::move(Sealing)), Hmac_(Hmac), Name_Key_(Name_Key) {}
    ~Win32_Record_Key() override { SecureZeroMemory(Name_Key_.data(), Name_Key_.size()); }

    bool Seal(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
              std::span<const uint8_t> Plain, std::span<uint8_t> Out,
              std::span<uint8_t, Tag_Size> Tag) override {
        if (Out.size() != Plain.size() || !Fits(Plain.size()) || !Fits(Extra.size())) return false;
        auto Info = Mode_Info(Nonce, Extra, Tag.data());
        ULONG Done = 0;
        return Ok(BCryptEncrypt(Seal_.Get(), Bytes(Plain), ULONG(Plain.size()), &Info, nullptr, 0,
                                Out.data(), ULONG(Out.size()), &Done, 0)) &&
               Done == Out.size();
    }

    bool Open(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
              std::span<const uint8_t> Sealed, std::span<const uint8_t, Tag_Size> Tag,
              std::span<uint8_t> Out) override {
        if (Out.size() != Sealed.size() || !Fits(Sealed.size()) || !Fits(Extra.size()))
            return false;
        auto Info = Mode_Info(Nonce, Extra, Bytes(Tag));
        ULONG Done = 0;
        if (Ok(BCryptDecrypt(Seal_.Get(), Bytes(Sealed), ULONG(Sealed.size()), &Info, nullptr, 0,
                             Out.data(), ULONG(Out.size()), &Done, 0)) &&
            Done == Out.size())
            return true;
        // Bytes that failed the tag are nobody's text: none of them may be used.
        SecureZeroMemory(Out.data(), Out.size());
        return false;
    }

    // A hash object per call: reusable ones need Windows 8, and making one costs little.
    uint64_t Name_Of(std::span<const uint8_t> Text) override {
        BCRYPT_HASH_HANDLE H = nullptr;
        uint8_t Mac[32] = {};
        bool Done =
            Fits(Text.size()) && Ok(BCryptCreateHash(Hmac_, &H, nullptr, 0, Name_Key_.data(),
                                                     ULONG(Name_Key_.size()), 0));
        const Unique_Hash Hash(H);
        Done = Done && Ok(BCryptHashData(H, Bytes(Text), ULONG(Text.size()), 0)) &&
               Ok(BCryptFinishHash(H, Mac, sizeof Mac, 0));
        uint64_t Name = 0;
        // A name no other text has: a copy is then kept twice, and no text is taken for another.
        if (!Done) {
            Random_Bytes({reinterpret_cast<uint8_t*>(&Name), sizeof Name});
            return Name;
        }
        for (int I = 7; I >= 0; --I)
            Name = Name << 8 | Mac[I];
        return Name;
    }

  private:
    static BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO
    Mode_Info(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
              PUCHAR Tag) {
        BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO Info;
        BCRYPT_INIT_AUTH_MODE_INFO(Info);
        Info.pbNonce = Bytes(Nonce);
        Info.cbNonce = Nonce_Size;
        Info.pbAuthData = Extra.empty() ? nullptr : Bytes(Extra);
        Info.cbAuthData = ULONG(Extra.size());
        Info.pbTag = Tag;
        Info.cbTag = Tag_Size;
        return Info;
    }

    Unique_Crypt_Key Seal_;
    BCRYPT_ALG_HANDLE Hmac_;
    Secret Name_Key_;
};

} // namespace

BOOL CALLBACK Win32_Cipher::Open_Providers(INIT_ONCE*, void* Self, void**) {
    auto& C = *static_cast<Win32_Cipher*>(Self);
    BCRYPT_ALG_HANDLE Aes = nullptr, Hmac = nullptr;
    NTSTATUS Status = BCryptOpenAlgorithmProvider(&Aes, BCRYPT_AES_ALGORITHM, nullptr, 0);
    C.Aes_.Reset(Aes);
    if (!Ok(Status)) return C.Refused_ = Refusal("AES is not available", Status), TRUE;
    Status =
        BCryptSetProperty(Aes, BCRYPT_CHAINING_MODE,
                          reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                          sizeof BCRYPT_CHAIN_MODE_GCM, 0);
    if (!Ok(Status)) return C.Refused_ = Refusal("AES-GCM is not available", Status), TRUE;
    // Some systems (Wine without GnuTLS) open the provider but make no keys.
    Secret Probe{};
    BCRYPT_KEY_HANDLE Key = nullptr;
    Status = BCryptGenerateSymmetricKey(Aes, &Key, nullptr, 0, Probe.data(), Secret_Size, 0);
    Unique_Crypt_Key Probe_Key(Key);
    if (!Ok(Status)) return C.Refused_ = Refusal("AES-GCM keys cannot be made", Status), TRUE;
    Status = BCryptOpenAlgorithmProvider(&Hmac, BCRYPT_SHA256_ALGORITHM, nullptr,
                                         BCRYPT_ALG_HANDLE_HMAC_FLAG);
    C.Hmac_.Reset(Hmac);
    if (!Ok(Status)) C.Refused_ = Refusal("HMAC-SHA256 is not available", Status);
    return TRUE;
}

const std::string& Win32_Cipher::Opened() {
    InitOnceExecuteOnce(&Once_, Open_Providers, this, nullptr);
    return Refused_;
}

std::string Win32_Cipher::Available() {
    return Opened();
}

void Win32_Cipher::Random(std::span<uint8_t> Out) {
    Random_Bytes(Out);
}

std::vector<uint8_t> Win32_Cipher::Wrap(std::span<const uint8_t> Secrets) {
    DATA_BLOB In{ULONG(Secrets.size()), Bytes(Secrets)}, Out{};
    if (!Fits(Secrets.size()) ||
        !CryptProtectData(&In, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &Out))
        return {};
    const Unique_Local Owned(Out.pbData);
    return {Out.pbData, Out.pbData + Out.cbData};
}

std::optional<std::vector<uint8_t>> Win32_Cipher::Unwrap(std::span<const uint8_t> Blob) {
    DATA_BLOB In{ULONG(Blob.size()), Bytes(Blob)}, Out{};
    if (!Fits(Blob.size()) || !CryptUnprotectData(&In, nullptr, nullptr, nullptr, nullptr,
                                                  CRYPTPROTECT_UI_FORBIDDEN, &Out))
        return std::nullopt;
    const Unique_Local Owned(Out.pbData);
    std::vector<uint8_t> Secrets(Out.pbData, Out.pbData + Out.cbData);
    SecureZeroMemory(Out.pbData, Out.cbData);
    return Secrets;
}

std::unique_ptr<Record_Key> Win32_Cipher::Use(const Secret& Seal_Key, const Secret& Name_Key) {
    if (!Opened().empty()) return nullptr;
    BCRYPT_KEY_HANDLE Key = nullptr;
    if (!Ok(BCryptGenerateSymmetricKey(Aes_.Get(), &Key, nullptr, 0,
                                       const_cast<PUCHAR>(Seal_Key.data()), Secret_Size, 0)))
        return nullptr;
    return std::make_unique<Win32_Record_Key>(Unique_Crypt_Key(Key), Hmac_.Get(), Name_Key);
}
