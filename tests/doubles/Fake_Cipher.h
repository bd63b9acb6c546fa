#pragma once
#include "platform/Cipher.h"

#include <algorithm>
#include <cstring>

// The cipher as callers see it: sealed bytes differ from the plain ones, any changed byte of
// the sealed bytes, nonce, Extra or tag makes Open fail, as does another key; a blob wraps
// only for its own Account. Leaves out any secrecy: the mixing is easily undone.
class Fake_Cipher : public Cipher {
  public:
    explicit Fake_Cipher(uint64_t Account, uint64_t Seed = 1) : Account_(Account), State_(Seed) {}
    static uint64_t Mix(uint64_t H, std::span<const uint8_t> Bytes) {
        for (uint8_t B : Bytes)
            H = (H ^ B) * 0x100000001B3u;
        H = (H ^ Bytes.size() ^ (H >> 31)) * 0xBF58476D1CE4E5B9u;
        return H ^ (H >> 29);
    }
    std::string Refused; // a refusing cipher unwraps nothing, as the real one
    std::string Available() override { return Refused; }
    void Random(std::span<uint8_t> Out) override {
        for (uint8_t& B : Out)
            State_ = State_ * 6364136223846793005u + 1442695040888963407u, B = State_ >> 56;
    }
    // The account, the secrets, a check of both.
    std::vector<uint8_t> Wrap(std::span<const uint8_t> Secrets) override {
        std::vector<uint8_t> Blob(8 + Secrets.size() + 8);
        std::memcpy(Blob.data(), &Account_, 8);
        std::copy(Secrets.begin(), Secrets.end(), Blob.begin() + 8);
        const uint64_t Check = Mix(Account_, std::span(Blob).first(Blob.size() - 8));
        std::memcpy(Blob.data() + Blob.size() - 8, &Check, 8);
        return Blob;
    }
    std::optional<std::vector<uint8_t>> Unwrap(std::span<const uint8_t> Blob) override {
        uint64_t Owner = 0, Check = 0;
        if (!Refused.empty() || Blob.size() < 16) return std::nullopt;
        std::memcpy(&Owner, Blob.data(), 8);
        std::memcpy(&Check, Blob.data() + Blob.size() - 8, 8);
        if (Owner != Account_ || Check != Mix(Account_, Blob.first(Blob.size() - 8)))
            return std::nullopt;
        return std::vector<uint8_t>(Blob.begin() + 8, Blob.end() - 8);
    }
    std::unique_ptr<Record_Key> Use(const Secret& Seal, const Secret& Name) override {
        return std::make_unique<Key>(Mix(0, Seal), Mix(0, Name));
    }

  private:
    struct Key : Record_Key {
        uint64_t Seal_, Name_;
        Key(uint64_t Seal, uint64_t Name) : Seal_(Seal), Name_(Name) {}
        void Stream(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> In,
                    std::span<uint8_t> Out) const {
            uint64_t K = Mix(Seal_, Nonce);
            for (size_t I = 0; I < In.size(); ++I) {
                if (I % 8 == 0) K = Mix(K, Nonce);
                Out[I] = In[I] ^ static_cast<uint8_t>(K >> (I % 8 * 8));
            }
        }
        void Tag_Of(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
                    std::span<const uint8_t> Sealed, std::span<uint8_t, Tag_Size> Tag) const {
            uint64_t T[2];
            for (uint64_t I : {0u, 1u})
                T[I] = Mix(Mix(Mix(Seal_ + I, Nonce), Extra), Sealed);
            std::memcpy(Tag.data(), T, Tag_Size);
        }
        bool Seal(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
                  std::span<const uint8_t> Plain, std::span<uint8_t> Out,
                  std::span<uint8_t, Tag_Size> Tag) override {
            Stream(Nonce, Plain, Out);
            Tag_Of(Nonce, Extra, Out, Tag);
            return true;
        }
        bool Open(std::span<const uint8_t, Nonce_Size> Nonce, std::span<const uint8_t> Extra,
                  std::span<const uint8_t> Sealed, std::span<const uint8_t, Tag_Size> Tag,
                  std::span<uint8_t> Out) override {
            uint8_t Want[Tag_Size];
            Tag_Of(Nonce, Extra, Sealed, Want);
            if (!std::equal(Tag.begin(), Tag.end(), Want)) return false;
            Stream(Nonce, Sealed, Out);
            return true;
        }
        uint64_t Name_Of(std::span<const uint8_t> Text) override { return Mix(Name_, Text); }
    };
    uint64_t Account_, State_;
};
