#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What keeps the history unreadable off this Windows account: random secrets wrapped by the
// account's own protection, and authenticated encryption of each record. Any thread may call
// it; a Record_Key is used by one thread at a time.
inline constexpr size_t Secret_Size = 32, Nonce_Size = 12, Tag_Size = 16;
using Secret = std::array<uint8_t, Secret_Size>;

// One history's keys, ready to use: one seals the records, the other names a text without
// revealing it, so that a copy made again is found without any text in clear.
struct Record_Key {
    virtual ~Record_Key() = default;
    // Out gets Plain encrypted (same size); Extra is checked but stays in clear. False: refused.
    virtual bool Seal(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
                      std::span<const uint8_t> Plain, std::span<uint8_t> Out,
                      std::span<uint8_t, Tag_Size> Tag) = 0;
    // False: the bytes, the nonce, Extra or the tag are not what this key sealed.
    virtual bool Open(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
                      std::span<const uint8_t> Sealed, std::span<const uint8_t, Tag_Size> Tag,
                      std::span<uint8_t> Out) = 0;
    virtual uint64_t Name_Of(std::span<const uint8_t> Text) = 0; // a keyed hash
};

struct Cipher {
    virtual ~Cipher() = default;
    // "" when records can be sealed here; otherwise why not, for the user (history then off).
    virtual std::string Available() = 0;
    virtual void Random(std::span<uint8_t> Out) = 0;
    // Secrets wrapped for this account; empty when refused.
    virtual std::vector<uint8_t> Wrap(std::span<const uint8_t> Secrets) = 0;
    // Nothing for another account's, another machine's or a damaged blob.
    virtual std::optional<std::vector<uint8_t>> Unwrap(std::span<const uint8_t> Blob) = 0;
    // Null when refused.
    virtual std::unique_ptr<Record_Key> Use(const Secret& Seal_Key, const Secret& Name_Key) = 0;
};
