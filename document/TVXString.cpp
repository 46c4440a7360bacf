#include "document/TVXString.h"

#include <algorithm>

namespace tvx {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

template <class Char>
std::basic_string_view<Char> UpToFirstZero(std::basic_string_view<Char> text) {
    const auto zero = text.find(Char{0});
    return zero == std::basic_string_view<Char>::npos ? text : text.substr(0, zero);
}

// Cuts UTF-16 text to at most `room` units without splitting a surrogate pair.
std::u16string_view CutUtf16(std::u16string_view text, std::size_t room) {
    if (text.size() <= room) {
        return text;
    }
    std::size_t length = room;
    if (length > 0 && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) {
        --length;
    }
    return text.substr(0, length);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `text[i]`, advancing i; malformed, overlong
// or surrogate sequences give U+FFFD and consume one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07u;
        minimum = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

}  // namespace

TVXString TVXString::FromUtf8(std::string_view utf8) {
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = DecodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(cp);
        }
    }
    return FromWide(units);
}

TVXString TVXString::FromNarrow(std::string_view latin1) {
    TVXString s;
    s.SetNarrow(latin1);
    return s;
}

TVXString TVXString::FromWide(std::u16string_view utf16) {
    TVXString s;
    s.SetWide(utf16);
    return s;
}

void TVXString::Clear() {
    wide_.fill(0);
    narrow_.fill(0);
    wideLength_ = 0;
    narrowLength_ = 0;
}

void TVXString::SetNarrow(std::string_view latin1) {
    Clear();
    const auto text = UpToFirstZero(latin1).substr(0, kMaxLength);
    for (std::size_t i = 0; i < text.size(); ++i) {
        narrow_[i] = text[i];
        wide_[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    }
    wideLength_ = narrowLength_ = static_cast<std::uint16_t>(text.size());
}

void TVXString::SetWide(std::u16string_view utf16) {
    Clear();
    AppendWide(utf16);
}

void TVXString::AppendWide(std::u16string_view utf16) {
    const auto text = CutUtf16(UpToFirstZero(utf16), static_cast<std::size_t>(kMaxLength - wideLength_));
    std::copy(text.begin(), text.end(), wide_.begin() + wideLength_);
    wideLength_ = static_cast<std::uint16_t>(wideLength_ + text.size());
    DeriveNarrowFromWide();
}

// Every character becomes one narrow byte (a surrogate pair is one character),
// so the narrow form can never be longer than the wide one.
void TVXString::DeriveNarrowFromWide() {
    narrow_.fill(0);
    std::size_t out = 0;
    for (std::size_t i = 0; i < wideLength_; ++i) {
        const char16_t unit = wide_[i];
        if (IsHighSurrogate(unit) && i + 1 < wideLength_ && IsLowSurrogate(wide_[i + 1])) {
            ++i;
            narrow_[out++] = '?';
        } else {
            narrow_[out++] = unit <= 0xFF ? static_cast<char>(unit) : '?';
        }
    }
    narrowLength_ = static_cast<std::uint16_t>(out);
}

std::string TVXString::ToUtf8() const {
    std::string out;
    out.reserve(wideLength_);
    for (std::size_t i = 0; i < wideLength_; ++i) {
        const char16_t unit = wide_[i];
        if (IsHighSurrogate(unit) && i + 1 < wideLength_ && IsLowSurrogate(wide_[i + 1])) {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                (static_cast<char32_t>(wide_[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace tvx
