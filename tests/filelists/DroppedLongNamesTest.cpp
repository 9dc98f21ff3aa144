// Drops of names around and past MAX_PATH on the play list, with backslash trail bytes.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "filelists/FileListbox.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "support/DropBuilder.h"
#include "support/NoticeWatch.h"

namespace {

const char filter[] = "音声ﾌｧｲﾙ\0*.wav\0全てのﾌｧｲﾙ\0*.*\0";

// A drive path of exactly `length` bytes made of two-byte characters whose trail byte is a
// backslash ("表"), ending in `tail`.
std::string LongName(size_t length, const std::string& tail)
{
    std::string name = "C:\\";
    while (name.size() + 2 + tail.size() <= length) name += "表";
    name.append(length - tail.size() - name.size(), 'x');
    return name + tail;
}

} // namespace

// A name longer than MAX_PATH is refused whole and told of, never cut into another file's name.
TEST(DroppedLongNamesTest, EveryNameArrivesWholeOrIsRefusedWhole)
{
    THeapStringList playList;
    THeapString current;
    TFileListbox box{DockLeft, 290, 148, &playList, &current, filter, static_cast<int>(sizeof filter), "wav"};
    TShape shape{nullptr, "DropTest", &box, nullptr};
    shape.ShowModeless(0);
    PumpPending();

    const std::vector<std::string> names = {
        LongName(259, ".wav"), LongName(260, ".wav"), LongName(261, ".wav"), LongName(300, ".wav"),
        LongName(300, ".lnk"),       // refused before it could be read as a shortcut
        std::string("C:\\\x95\x5C"), // ends in a trail byte that is a backslash
    };
    TNoticeWatch watch;
    SendMessageA(box.List(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    PumpPending();

    const std::vector<std::string> whole = {names[0], names[5]};
    ASSERT_EQ(playList.Count(), static_cast<int>(whole.size()));
    for (size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(std::string(playList.Item(static_cast<int>(i))), whole[i]) << i;
    EXPECT_EQ(SendMessageA(box.List(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(whole.size()));
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_NE(watch.Seen()[0].text.find("4 個"), std::string::npos) << watch.Seen()[0].text;
    DestroyWindow(shape.Handle());
    PumpPending();
}
