// Fixed-capacity text as the scene document stores every name and file name.
//
// The same text is held twice: a UTF-16 form and a narrow form, both
// zero-terminated in buffers of 260 units. The narrow form is Latin-1: each
// byte is the UTF-16 code unit of the same value, so legacy narrow names read
// from a file come back out byte for byte. A character above U+00FF has no
// narrow form and becomes '?'. Anything shown to a person should be made with
// ToUtf8(), which works from the UTF-16 form.
//
// Text longer than the capacity is cut at it (never across a surrogate pair),
// so a hostile file with an over-long name still loads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tvx {

class TVXString {
public:
    // Buffer size of each form, terminator included.
    static constexpr int kCapacity = 260;
    static constexpr int kMaxLength = kCapacity - 1;

    TVXString() = default;
    // Text ends at the first zero; the rest is cut at the capacity.
    static TVXString FromNarrow(std::string_view latin1);
    static TVXString FromWide(std::u16string_view utf16);
    // Invalid UTF-8 sequences become U+FFFD.
    static TVXString FromUtf8(std::string_view utf8);

    void Clear();
    void SetNarrow(std::string_view latin1);
    void SetWide(std::u16string_view utf16);
    void AppendWide(std::u16string_view utf16);

    const char* narrow() const { return narrow_.data(); }
    const char16_t* wide() const { return wide_.data(); }
    std::string_view narrowView() const { return {narrow_.data(), narrowLength_}; }
    std::u16string_view wideView() const { return {wide_.data(), wideLength_}; }
    bool empty() const { return wideLength_ == 0; }

    std::string ToUtf8() const;

    bool operator==(const TVXString& other) const { return wideView() == other.wideView(); }

private:
    void DeriveNarrowFromWide();

    std::array<char16_t, kCapacity> wide_{};
    std::array<char, kCapacity> narrow_{};
    std::uint16_t wideLength_ = 0;
    std::uint16_t narrowLength_ = 0;
};

}  // namespace tvx
