// A fixed-capacity unsigned integer, just enough to compare a decimal value
// with a binary one exactly. No heap; every operation is bounds-checked.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace kelmora {

class BigUint {
 public:
  static constexpr std::size_t kLimbs = 48;  // 1536 bits; ParseFloat32 needs under 700

  explicit BigUint(std::uint32_t value = 0) {
    limbs_[0] = value;
    size_ = value != 0 ? 1 : 0;
  }

  // *this = *this * factor + addend.
  void MulAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0)
      Push(static_cast<std::uint32_t>(carry));
  }

  void MulPow5(std::int64_t exponent) {
    constexpr std::uint32_t kPow5_13 = 1220703125;  // 5^13, the largest that fits
    for (; exponent >= 13; exponent -= 13)
      MulAdd(kPow5_13, 0);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent)
      rest *= 5;
    MulAdd(rest, 0);
  }

  void ShiftLeft(std::int64_t bits) {
    if (size_ == 0 || bits == 0)
      return;
    const auto limb_shift = static_cast<std::size_t>(bits / 32);
    const auto bit_shift = static_cast<unsigned>(bits % 32);
    if (limb_shift + size_ + 1 > kLimbs)
      throw std::length_error("BigUint capacity");
    std::uint32_t carry = 0;
    std::array<std::uint32_t, kLimbs> shifted{};
    for (std::size_t i = 0; i < size_; ++i) {
      shifted[i + limb_shift] = (limbs_[i] << bit_shift) | carry;
      carry = bit_shift == 0 ? 0 : limbs_[i] >> (32 - bit_shift);
    }
    size_ += limb_shift;
    limbs_ = shifted;
    if (carry != 0)
      Push(carry);
  }

  friend int Compare(const BigUint& a, const BigUint& b) {
    if (a.size_ != b.size_)
      return a.size_ < b.size_ ? -1 : 1;
    for (std::size_t i = a.size_; i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i])
        return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void Push(std::uint32_t limb) {
    if (size_ == kLimbs)
      throw std::length_error("BigUint capacity");
    limbs_[size_++] = limb;
  }

  std::array<std::uint32_t, kLimbs> limbs_{};
  std::size_t size_ = 0;
};

}  // namespace kelmora
