#include "win32/Win32_Cipher.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

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

void Random_Bytes(const Crypto_Functions& F, std::span<uint8_t> Out) {
    for (size_t At = 0; At < Out.size();) {
        const ULONG Part = ULONG(std::min<size_t>(Out.size() - At, ULONG_MAX));
        // A nonce that is not random may repeat and give the text away: no way on without it.
        if (!Ok(F.Gen_Random(nullptr, Out.data() + At, Part, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            std::abort();
        At += Part;
    }
}

// Finds each function of one DLL; the first one missing is the refusal.
class Exports {
  public:
    Exports(HMODULE Module, const wchar_t* Dll, std::string& Refused)
        : Module_(Module), Dll_(Dll), Refused_(Refused) {}

    template <typename F> void operator()(F& Out, const char* Name) {
        if (!Refused_.empty()) return;
        // Through void (*)(): the one function pointer type any other converts to unwarned.
        Out = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(Module_, Name)));
        if (Out) return;
        char Text[160];
        std::snprintf(Text, sizeof Text, "%ls has no %s (error %lu)", Dll_, Name,
                      static_cast<unsigned long>(GetLastError()));
        Refused_ = Text;
    }

  private:
    HMODULE Module_;
    const wchar_t* Dll_;
    std::string& Refused_;
};

Unique_Module Load_System_Dll(const wchar_t* Dll, std::string& Refused) {
    // From System32 only: a DLL of that name beside the exe would be asked to hold the keys.
    Unique_Module M(LoadLibraryExW(Dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    // Windows 7 without its 2011 loader update knows no search flags: the full path then.
    if (!M && GetLastError() == ERROR_INVALID_PARAMETER) {
        std::wstring Path(MAX_PATH, L'\0');
        const UINT Size = GetSystemDirectoryW(Path.data(), MAX_PATH);
        Path.resize(Size < MAX_PATH ? Size : 0);
        if (!Path.empty())
            M.Reset(LoadLibraryExW((Path + L'\\' + Dll).c_str(), nullptr,
                                   LOAD_WITH_ALTERED_SEARCH_PATH));
    }
    if (!M) {
        char Text[160];
        std::snprintf(Text, sizeof Text, "%ls cannot be loaded (error %lu)", Dll,
                      static_cast<unsigned long>(GetLastError()));
        Refused = Text;
    }
    return M;
}

class Win32_Record_Key final : public Record_Key {
  public:
    Win32_Record_Key(const Crypto_Functions& F, BCRYPT_KEY_HANDLE Sealing, BCRYPT_ALG_HANDLE Hmac,
                     const Secret& Name_Key)
        : F_(F), Seal_(Sealing), Hmac_(Hmac), Name_Key_(Name_Key) {}
    ~Win32_Record_Key() override {
        F_.Destroy_Key(Seal_);
        SecureZeroMemory(Name_Key_.data(), Name_Key_.size());
    }
    Win32_Record_Key(const Win32_Record_Key&) = delete;
    Win32_Record_Key& operator=(const Win32_Record_Key&) = delete;

    bool Seal(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
              std::span<const uint8_t> Plain, std::span<uint8_t> Out,
              std::span<uint8_t, Tag_Size> Tag) override {
        if (Out.size() != Plain.size() || !Fits(Plain.size()) || !Fits(Extra.size())) return false;
        auto Info = Mode_Info(Nonce, Extra, Tag.data());
        ULONG Done = 0;
        return Ok(F_.Encrypt(Seal_, Bytes(Plain), ULONG(Plain.size()), &Info, nullptr, 0,
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
        if (Ok(F_.Decrypt(Seal_, Bytes(Sealed), ULONG(Sealed.size()), &Info, nullptr, 0, Out.data(),
                          ULONG(Out.size()), &Done, 0)) &&
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
        bool Done = Fits(Text.size()) && Ok(F_.Create_Hash(Hmac_, &H, nullptr, 0, Name_Key_.data(),
                                                           ULONG(Name_Key_.size()), 0));
        Done = Done && Ok(F_.Hash_Data(H, Bytes(Text), ULONG(Text.size()), 0)) &&
               Ok(F_.Finish_Hash(H, Mac, sizeof Mac, 0));
        if (H) F_.Destroy_Hash(H);
        uint64_t Name = 0;
        // A name no other text has: a copy is then kept twice, and no text is taken for another.
        if (!Done) {
            Random_Bytes(F_, {reinterpret_cast<uint8_t*>(&Name), sizeof Name});
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

    const Crypto_Functions& F_;
    BCRYPT_KEY_HANDLE Seal_;
    BCRYPT_ALG_HANDLE Hmac_;
    Secret Name_Key_;
};

} // namespace

Win32_Cipher::~Win32_Cipher() {
    if (Aes_) F_.Close_Algorithm(Aes_, 0);
    if (Hmac_) F_.Close_Algorithm(Hmac_, 0);
}

std::string Win32_Cipher::Load() {
    std::string Refused;
    Cng_ = Load_System_Dll(Cng_Dll_, Refused);
    if (!Refused.empty()) return Refused;
    Exports Cng(Cng_.Get(), Cng_Dll_, Refused);
    Cng(F_.Open_Algorithm, "BCryptOpenAlgorithmProvider");
    Cng(F_.Close_Algorithm, "BCryptCloseAlgorithmProvider");
    Cng(F_.Set_Property, "BCryptSetProperty");
    Cng(F_.Make_Key, "BCryptGenerateSymmetricKey");
    Cng(F_.Destroy_Key, "BCryptDestroyKey");
    Cng(F_.Encrypt, "BCryptEncrypt");
    Cng(F_.Decrypt, "BCryptDecrypt");
    Cng(F_.Create_Hash, "BCryptCreateHash");
    Cng(F_.Hash_Data, "BCryptHashData");
    Cng(F_.Finish_Hash, "BCryptFinishHash");
    Cng(F_.Destroy_Hash, "BCryptDestroyHash");
    Cng(F_.Gen_Random, "BCryptGenRandom");
    if (!Refused.empty()) return F_ = {}, Refused;
    Protection_ = Load_System_Dll(Protection_Dll_, Refused);
    if (!Refused.empty()) return Refused;
    Exports Protection(Protection_.Get(), Protection_Dll_, Refused);
    Protection(F_.Protect, "CryptProtectData");
    Protection(F_.Unprotect, "CryptUnprotectData");
    return Refused;
}

std::string Win32_Cipher::Open_Algorithms() {
    NTSTATUS Status = F_.Open_Algorithm(&Aes_, BCRYPT_AES_ALGORITHM, nullptr, 0);
    if (!Ok(Status)) return Aes_ = nullptr, Refusal("AES is not available", Status);
    Status = F_.Set_Property(Aes_, BCRYPT_CHAINING_MODE,
                             reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                             sizeof BCRYPT_CHAIN_MODE_GCM, 0);
    if (!Ok(Status)) return Refusal("AES-GCM is not available", Status);
    // Some systems (Wine without GnuTLS) open the provider but make no keys.
    Secret Probe{};
    BCRYPT_KEY_HANDLE Key = nullptr;
    Status = F_.Make_Key(Aes_, &Key, nullptr, 0, Probe.data(), Secret_Size, 0);
    if (!Ok(Status)) return Refusal("AES-GCM keys cannot be made", Status);
    F_.Destroy_Key(Key);
    Status =
        F_.Open_Algorithm(&Hmac_, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG);
    if (!Ok(Status)) return Hmac_ = nullptr, Refusal("HMAC-SHA256 is not available", Status);
    return {};
}

BOOL CALLBACK Win32_Cipher::Open_Providers(INIT_ONCE*, void* Self, void**) {
    auto& C = *static_cast<Win32_Cipher*>(Self);
    C.Refused_ = C.Load();
    if (C.Refused_.empty()) C.Refused_ = C.Open_Algorithms();
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
    Opened();
    // Without CNG no key can be made either, so nothing is ever sealed with these.
    if (!F_.Gen_Random) return std::fill(Out.begin(), Out.end(), uint8_t(0));
    Random_Bytes(F_, Out);
}

std::vector<uint8_t> Win32_Cipher::Wrap(std::span<const uint8_t> Secrets) {
    DATA_BLOB In{ULONG(Secrets.size()), Bytes(Secrets)}, Out{};
    if (!Opened().empty() || !Fits(Secrets.size()) ||
        !F_.Protect(&In, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &Out))
        return {};
    const Unique_Local Owned(Out.pbData);
    return {Out.pbData, Out.pbData + Out.cbData};
}

std::optional<std::vector<uint8_t>> Win32_Cipher::Unwrap(std::span<const uint8_t> Blob) {
    DATA_BLOB In{ULONG(Blob.size()), Bytes(Blob)}, Out{};
    if (!Opened().empty() || !Fits(Blob.size()) ||
        !F_.Unprotect(&In, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &Out))
        return std::nullopt;
    const Unique_Local Owned(Out.pbData);
    std::vector<uint8_t> Secrets(Out.pbData, Out.pbData + Out.cbData);
    SecureZeroMemory(Out.pbData, Out.cbData);
    return Secrets;
}

std::unique_ptr<Record_Key> Win32_Cipher::Use(const Secret& Seal_Key, const Secret& Name_Key) {
    if (!Opened().empty()) return nullptr;
    BCRYPT_KEY_HANDLE Key = nullptr;
    if (!Ok(F_.Make_Key(Aes_, &Key, nullptr, 0, const_cast<PUCHAR>(Seal_Key.data()), Secret_Size,
                        0)))
        return nullptr;
    return std::make_unique<Win32_Record_Key>(F_, Key, Hmac_, Name_Key);
}
