// Access keys: measuring texts and the assignment of distinct keys to a shape's captions.
#include "framework/AccessKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs the assignment over copies of `texts` and returns the rewritten captions.
std::vector<std::string> Assign(const std::vector<std::string>& texts)
{
    std::vector<THeapString> captions;
    for (const std::string& text : texts) captions.emplace_back(text.c_str());
    std::vector<THeapString*> list;
    for (THeapString& caption : captions) list.push_back(&caption);
    AssignAccessKeys(list.data(), static_cast<int>(list.size()));
    std::vector<std::string> result;
    for (const THeapString& caption : captions) result.emplace_back(caption.Text());
    return result;
}

} // namespace

TEST(AccessKeys, MeasuringTextAllowsForTheFinalKey)
{
    EXPECT_STREQ("Browse(W&)...", AccessKeyMeasuringText(false, "Browse(&REFERENCE&)..."));
    EXPECT_STREQ("Word", AccessKeyMeasuringText(false, "Word(&&)"));
    EXPECT_STREQ("ab", AccessKeyMeasuringText(false, "a&&b"));
    EXPECT_STREQ("No marker", AccessKeyMeasuringText(false, "No marker"));
    EXPECT_STREQ("One & only", AccessKeyMeasuringText(false, "One & only"));
    EXPECT_STREQ("", AccessKeyMeasuringText(false, nullptr));
    // Once the keys are there, a caption measures as it is.
    EXPECT_STREQ("Browse(&R)...", AccessKeyMeasuringText(true, "Browse(&R)..."));
}

TEST(AccessKeys, EarlierCandidatesWinByPosition)
{
    EXPECT_EQ((std::vector<std::string>{"Ok(&O)", "Order(&R)"}), Assign({"Ok(&OK&)", "Order(&ORDER&)"}));
    // Both want only A: the second falls back to the first free letter.
    EXPECT_EQ((std::vector<std::string>{"x(&A)", "y(&B)"}), Assign({"x(&A&)", "y(&A&)"}));
    // The first B is taken by position; fallback letters skip it and go on from where they stopped.
    EXPECT_EQ((std::vector<std::string>{"(&A)", "(&C)", "(&B)", "(&D)"}),
              Assign({"(&A&)", "(&A&)", "(&B&)", "(&A&)"}));
}

TEST(AccessKeys, CaptionsWithoutMarkerStayAndTakeNoKey)
{
    EXPECT_EQ((std::vector<std::string>{"Plain", "Name(&A)", "a & b"}), Assign({"Plain", "Name(&A&)", "a & b"}));
}

TEST(AccessKeys, MarkerOutsideParenthesesKeepsItsSurroundings)
{
    EXPECT_EQ((std::vector<std::string>{"Open &F now", "&E"}), Assign({"Open &FILE& now", "&EXIT&"}));
}

TEST(AccessKeys, MarkersVanishWhenNoLetterIsLeft)
{
    std::vector<std::string> texts;
    for (char c = 'A'; c <= 'Z'; ++c) texts.push_back(std::string("k(&") + c + "&)");
    texts.push_back("Word(&A&)");
    texts.push_back("Open &A& now");
    texts.push_back("(&A&)tail");
    texts.push_back("x(&A&");
    const std::vector<std::string> result = Assign(texts);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(std::string("k(&") + static_cast<char>('A' + i) + ")", result[i]);
    EXPECT_EQ("Word", result[26]);
    EXPECT_EQ("Open  now", result[27]);
    EXPECT_EQ("tail", result[28]);
    EXPECT_EQ("x(", result[29]); // no closing parenthesis: only the marker goes
}

TEST(AccessKeys, TrailBytesAreNeverMarkers)
{
    // 0x95 0x26 is one double-byte character: its trail byte is no "&".
    EXPECT_STREQ("\x95\x26(W&)", AccessKeyMeasuringText(false, "\x95\x26(&AB&)"));
    EXPECT_EQ((std::vector<std::string>{"\x95\x26(&A)"}), Assign({"\x95\x26(&AB&)"}));
    EXPECT_EQ((std::vector<std::string>{"\x95\x26&x"}), Assign({"\x95\x26&x"}));
    // Keys go by whole characters of the prefix too: 0x83 0x41 is one katakana.
    EXPECT_EQ((std::vector<std::string>{"\x83\x41(&B)", "\x83\x41(&A)"}),
              Assign({"\x83\x41(&B&)", "\x83\x41(&A&)"}));
    // A lead byte among the candidates is never a key on its own.
    EXPECT_EQ((std::vector<std::string>{"(&A)"}), Assign({"(&\x83\x41&)"}));
}
