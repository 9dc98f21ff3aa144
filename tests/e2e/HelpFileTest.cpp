// Reads the built Kelvane.HLP back through the help format's own structures and checks its
// internal files, its jumps and context numbers, and that the topics say what they should;
// and that its page, the help where there is no WinHelp, says the same.
#include "HelpFileReader.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Converted(const std::string& text, UINT from, UINT to)
{
    const int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring characters(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &characters[0], wide);
    const int bytes = WideCharToMultiByte(to, 0, characters.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, characters.data(), wide, &converted[0], bytes, nullptr, nullptr);
    return converted;
}

// The words of an HTML page as a reader sees them, in Shift-JIS as the .HLP holds them: tags
// taken out, the three escaped characters given back.
std::string PageWords(const std::string& html)
{
    std::string words;
    for (size_t at = 0; at < html.size(); ++at) {
        if (html[at] == '<') {
            at = html.find('>', at);
            if (at == std::string::npos) break;
        } else if (html[at] != '\r') {
            words += html[at];
        }
    }
    for (const auto& entity : {std::make_pair("&lt;", "<"), std::make_pair("&gt;", ">"), std::make_pair("&amp;", "&")}) {
        for (size_t at = words.find(entity.first); at != std::string::npos; at = words.find(entity.first, at + 1))
            words.replace(at, std::string(entity.first).size(), entity.second);
    }
    return Converted(words, CP_UTF8, 932);
}

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(help.Load(ProgramBesideTests("Kelvane.HLP"))) << help.Error(); }

    const HelpFileReader::Topic* TopicOfNumber(int32_t number) const
    {
        auto found = help.Numbers().find(number);
        return found == help.Numbers().end() ? nullptr : help.TopicAt(found->second);
    }

    const HelpFileReader::Topic* TopicOfName(const char* name) const
    {
        auto found = help.Contexts().find(HelpContextHash(name));
        return found == help.Contexts().end() ? nullptr : help.TopicAt(found->second);
    }

    // The text of the topic with that context number, or "<missing>".
    std::string TextOf(int32_t number) const
    {
        const HelpFileReader::Topic* topic = TopicOfNumber(number);
        return topic ? topic->text : "<missing>";
    }

    HelpFileReader help;
};

} // namespace

TEST_F(HelpFile, InternalFileSystemHoldsTheHelpFiles)
{
    std::vector<std::string> expected = {"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"};
    EXPECT_EQ(expected, help.FileNames());
    EXPECT_EQ("Kelvane ヘルプ", help.Title());
    EXPECT_EQ(128, help.Charset()); // Shift-JIS, so that WinHelp shows the Japanese text
}

TEST_F(HelpFile, ContentsTopicLinksToEveryTopic)
{
    const HelpFileReader::Topic* contents = help.TopicAt(help.ContentsOffset());
    ASSERT_NE(nullptr, contents);
    EXPECT_EQ(contents, TopicOfNumber(100));
    EXPECT_EQ(contents, TopicOfName("Contents"));
    EXPECT_EQ("Kelvane ヘルプ", contents->title);
    EXPECT_EQ(0u, contents->text.find("Kelvane ヘルプ\n")) << "the heading comes first";
    for (const char* name : {"TrayIcon", "Settings", "Startup", "WindowMenu", "Messages"}) {
        bool linked = false;
        for (int32_t jump : contents->jumps) linked = linked || jump == HelpContextHash(name);
        EXPECT_TRUE(linked) << name;
        EXPECT_NE(nullptr, TopicOfName(name)) << name;
    }
}

TEST_F(HelpFile, EveryJumpAndContextLandsOnATopic)
{
    ASSERT_EQ(14u, help.Topics().size());
    for (const HelpFileReader::Topic& topic : help.Topics()) {
        for (const auto* hashes : {&topic.jumps, &topic.popups}) {
            for (int32_t hash : *hashes) {
                auto target = help.Contexts().find(hash);
                ASSERT_NE(help.Contexts().end(), target) << "jump from " << topic.title;
                EXPECT_NE(nullptr, help.TopicAt(target->second)) << "jump from " << topic.title;
            }
        }
    }
    for (const auto& context : help.Contexts()) EXPECT_NE(nullptr, help.TopicAt(context.second));
    EXPECT_EQ(help.Topics().size(), help.Contexts().size());
}

TEST_F(HelpFile, ContextNumbersOfControlsGiveTheirPopupTexts)
{
    const HelpFileReader::Topic* checkBox = TopicOfNumber(1001);
    ASSERT_NE(nullptr, checkBox);
    EXPECT_EQ(checkBox, TopicOfName("NoMoreMessage"));
    EXPECT_EQ("次回からこのメッセージを表示しない", checkBox->title);
    EXPECT_NE(std::string::npos, checkBox->text.find("Shift キーを押しながら"));
    EXPECT_NE(checkBox, TopicOfNumber(150)) << "the pop-up is not the Messages topic";
    for (int32_t number = 1002; number <= 1008; ++number) EXPECT_NE(nullptr, TopicOfNumber(number)) << number;
    EXPECT_NE(std::string::npos, TextOf(1002).find("ドロップ"));
    EXPECT_NE(std::string::npos, TextOf(1007).find("変更を捨てて"));
    EXPECT_EQ(nullptr, TopicOfNumber(1009));
}

TEST_F(HelpFile, TopicsDescribeTheProgram)
{
    struct Expected { int32_t number; const char* title; std::vector<const char*> phrases; };
    const Expected topics[] = {
        {110, "タスクトレイのアイコンとメニュー",
         {"左クリック：止まっているときは再生を始め", "右ボタンのダブルクリック", "設定：", "再生：", "停止：",
          "ヘルプ：", "バージョン情報：", "終了："}},
        {120, "設定ウィンドウ",
         {"Insert キー", "Ctrl+Insert キー", "Delete キー", "ドラッグ アンド ドロップ", "OK：", "キャンセル：", "レジストリに保存"}},
        {130, "ログオン時の自動起動と終了", {"スタートアップ フォルダ", "Kelvane(システムトレイに常駐)", "「終了」を選ぶと"}},
        {140, "ウィンドウメニュー",
         {"半透明にする（Alt+F3）", "常に手前に表示（Alt+F5）", "表示位置", "画面中央に表示", "マウスカーソルの位置へ表示",
          "次回もこの位置で表示", "ドラッグ", "吸い付き"}},
        {150, "表示しないようにしたメッセージを再び表示するには", {"Shift キーを押しながら", "チェックを外して"}},
    };
    for (const Expected& expected : topics) {
        const HelpFileReader::Topic* topic = TopicOfNumber(expected.number);
        ASSERT_NE(nullptr, topic) << expected.number;
        EXPECT_EQ(expected.title, topic->title);
        for (const char* phrase : expected.phrases) {
            EXPECT_NE(std::string::npos, topic->text.find(phrase)) << expected.title << ": " << phrase;
        }
    }
}

// Where there is no WinHelp the page is the help: every topic of the .HLP, its title and each of
// its paragraphs, in the same words, in the encoding the page declares.
TEST_F(HelpFile, PageHoldsEveryTopicInTheSameWords)
{
    const std::string page = TTempFolder::Read(ProgramBesideTests("Kelvane.html"));
    ASSERT_FALSE(page.empty());
    EXPECT_NE(std::string::npos, page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"));
    const std::string words = PageWords(page);
    ASSERT_EQ(14u, help.Topics().size());
    for (const HelpFileReader::Topic& topic : help.Topics()) {
        EXPECT_NE(std::string::npos, words.find(topic.title)) << topic.title;
        size_t start = 0;
        for (size_t end = topic.text.find('\n'); start < topic.text.size(); end = topic.text.find('\n', start)) {
            if (end == std::string::npos) end = topic.text.size();
            const std::string paragraph = topic.text.substr(start, end - start);
            EXPECT_NE(std::string::npos, words.find(paragraph)) << topic.title << ": " << paragraph;
            start = end + 1;
        }
    }
}
