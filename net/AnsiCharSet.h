#pragma once
// A set of byte characters, as the encoders take for their "specials", break and quote characters.

#include <bitset>
#include <string_view>

class TAnsiCharSet {
 public:
  TAnsiCharSet() = default;
  // Every byte of chars is a member.
  TAnsiCharSet(std::string_view chars) {  // NOLINT: implicit, so a literal can stand for a set
    for (char c : chars) bits_.set(static_cast<unsigned char>(c));
  }
  TAnsiCharSet(const char* chars) : TAnsiCharSet(std::string_view(chars)) {}  // NOLINT

  bool Contains(char c) const { return bits_.test(static_cast<unsigned char>(c)); }
  bool Empty() const { return bits_.none(); }
  TAnsiCharSet operator+(const TAnsiCharSet& other) const {
    TAnsiCharSet sum;
    sum.bits_ = bits_ | other.bits_;
    return sum;
  }

 private:
  std::bitset<256> bits_;
};
