#include "document/TVXString.h"

#include <gtest/gtest.h>

#include <string>

namespace tvx {
namespace {

TEST(TVXString, NarrowIsLatin1BothWays) {
    const std::string latin1 = "Caf\xE9 \xFF";
    const TVXString s = TVXString::FromNarrow(latin1);
    EXPECT_EQ(s.narrowView(), latin1);
    EXPECT_EQ(s.wideView(), std::u16string(u"Caf\u00E9 \u00FF"));
    EXPECT_EQ(s.ToUtf8(), "Caf\xC3\xA9 \xC3\xBF");
}

TEST(TVXString, CharactersAboveLatin1BecomeOneQuestionMarkEach) {
    // U+4E2D, then U+1F600 as a surrogate pair, then a lone high surrogate.
    const std::u16string wide = u"a\u4E2Db\xD83D\xDE00" u"c" + std::u16string(1, char16_t{0xD800});
    const TVXString s = TVXString::FromWide(wide);
    EXPECT_EQ(s.narrowView(), "a?b?c?");
    EXPECT_EQ(s.ToUtf8(), "a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80" "c\xEF\xBF\xBD");
}

TEST(TVXString, TextEndsAtTheFirstZero) {
    EXPECT_EQ(TVXString::FromNarrow(std::string("ab\0cd", 5)).narrowView(), "ab");
    EXPECT_EQ(TVXString::FromWide(std::u16string(u"xy\0z", 4)).wideView(), u"xy");
}

TEST(TVXString, OverlongTextIsCutAtTheCapacity) {
    const TVXString narrow = TVXString::FromNarrow(std::string(1000, 'n'));
    EXPECT_EQ(narrow.narrowView().size(), 259u);
    EXPECT_EQ(narrow.wideView().size(), 259u);
    EXPECT_EQ(narrow.narrow()[259], '\0');

    // A surrogate pair straddling the limit is dropped whole.
    std::u16string wide(258, u'w');
    wide += u"\xD83D\xDE00";
    const TVXString cut = TVXString::FromWide(wide);
    EXPECT_EQ(cut.wideView(), std::u16string(258, u'w'));
}

TEST(TVXString, AppendKeepsBothFormsInStep) {
    TVXString s = TVXString::FromNarrow("C:\\maps\\");
    s.AppendWide(u"stone\u0416.png");
    EXPECT_EQ(s.wideView(), u"C:\\maps\\stone\u0416.png");
    EXPECT_EQ(s.narrowView(), "C:\\maps\\stone?.png");

    s.AppendWide(std::u16string(300, u'x'));
    EXPECT_EQ(s.wideView().size(), 259u);
    EXPECT_EQ(s.narrowView().size(), 259u);
}

TEST(TVXString, FromUtf8DecodesAndReplacesMalformedSequences) {
    EXPECT_EQ(TVXString::FromUtf8("a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80").wideView(), u"a\u00E9\u4E2D\xD83D\xDE00");
    // A stray continuation byte, a truncated sequence, an overlong '/', an
    // encoded surrogate.
    EXPECT_EQ(TVXString::FromUtf8("\x80x\xE4\xB8").wideView(), u"\uFFFDx\uFFFD\uFFFD");
    EXPECT_EQ(TVXString::FromUtf8("\xC0\xAF").wideView(), u"\uFFFD\uFFFD");
    EXPECT_EQ(TVXString::FromUtf8("\xED\xA0\x80").wideView(), u"\uFFFD\uFFFD\uFFFD");
}

TEST(TVXString, ClearEmptiesBothForms) {
    TVXString s = TVXString::FromNarrow("name");
    s.Clear();
    EXPECT_TRUE(s.empty());
    EXPECT_STREQ(s.narrow(), "");
    EXPECT_EQ(s.wide()[0], u'\0');
}

}  // namespace
}  // namespace tvx
