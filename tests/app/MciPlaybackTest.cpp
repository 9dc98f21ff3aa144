// MCI command sequences, seen through the sender seam, and the main shape's chain driving them;
// errors are not reported in these tests.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/MainShape.h"
#include "app/MciPlayback.h"
#include "support/Seam.h"
#include "support/TempFolder.h"

namespace {

struct TSent {
    MCIDEVICEID device = 0;
    UINT message = 0;
    DWORD_PTR flags = 0;
    DWORD track = 0;  // MCI_STATUS
    DWORD item = 0;
    DWORD from = 0, to = 0; // MCI_PLAY
    std::string element;    // MCI_OPEN
    std::string directory;  // the current one at MCI_OPEN
    DWORD_PTR deviceType = 0;
};

std::string CurrentDirectory()
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::vector<TSent> sent;
MCIERROR failOn = 0; // the message that fails, 0 none
const MCIDEVICEID openedDevice = 7;

MCIERROR WINAPI Recorder(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    TSent record;
    record.device = device;
    record.message = message;
    record.flags = flags;
    switch (message) {
    case MCI_OPEN: {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        if (flags & MCI_OPEN_ELEMENT) record.element = open->lpstrElementName;
        if (flags & MCI_OPEN_TYPE) record.deviceType = reinterpret_cast<DWORD_PTR>(open->lpstrDeviceType);
        record.directory = CurrentDirectory();
        open->wDeviceID = openedDevice;
        break;
    }
    case MCI_STATUS: {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        record.track = status->dwTrack;
        record.item = status->dwItem;
        status->dwReturn = status->dwItem == MCI_STATUS_POSITION ? 120000 : 45000;
        break;
    }
    case MCI_PLAY: {
        auto* play = reinterpret_cast<MCI_PLAY_PARMS*>(parameters);
        record.from = play->dwFrom;
        record.to = play->dwTo;
        break;
    }
    default: break;
    }
    sent.push_back(record);
    return message == failOn ? MCIERR_DEVICE_NOT_READY : 0;
}

class MciPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sent.clear();
        failOn = 0;
    }
    TSeam sender{ReplaceMciSender, &Recorder};
};

} // namespace

TEST_F(MciPlaybackTest, MediaFileOpensByNameWithoutQuotesAndPlaysWithNotice)
{
    EXPECT_EQ(OpenAndPlay(nullptr, "\"song.wav\"", false), openedDevice);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, static_cast<UINT>(MCI_OPEN));
    EXPECT_EQ(sent[0].flags, static_cast<DWORD_PTR>(0x202));
    EXPECT_EQ(sent[0].element, "song.wav");
    EXPECT_EQ(sent[1].message, static_cast<UINT>(MCI_PLAY));
    EXPECT_EQ(sent[1].flags, static_cast<DWORD_PTR>(MCI_NOTIFY));
}

TEST_F(MciPlaybackTest, FailedPlayClosesTheDeviceItOpened)
{
    failOn = MCI_PLAY;
    EXPECT_EQ(OpenAndPlay(nullptr, "song.mid", false), 0u);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[2].message, static_cast<UINT>(MCI_STOP));
    EXPECT_EQ(sent[3].message, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(sent[3].device, openedDevice);
}

TEST_F(MciPlaybackTest, CdTrackPlaysItsRangeInMilliseconds)
{
    EXPECT_EQ(OpenAndPlay(nullptr, "Track03.CDA", false), openedDevice);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0].flags, static_cast<DWORD_PTR>(0x3002));
    EXPECT_EQ(sent[0].deviceType, static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
    EXPECT_EQ(sent[1].message, static_cast<UINT>(MCI_SET));
    EXPECT_EQ(sent[2].track, 3u);
    EXPECT_EQ(sent[2].item, static_cast<DWORD>(MCI_STATUS_POSITION));
    EXPECT_EQ(sent[3].item, static_cast<DWORD>(MCI_STATUS_LENGTH));
    EXPECT_EQ(sent[4].flags, static_cast<DWORD_PTR>(0xD));
    EXPECT_EQ(sent[4].from, 120000u);
    EXPECT_EQ(sent[4].to, 165000u);

    // A resume after a pause stops at the track's end too, not at the disc's; a media file's at its own.
    for (const auto& [name, end] : {std::pair<const char*, DWORD>{"Track03.CDA", 165000}, {"song.wav", 0}}) {
        DWORD playEnd = 1;
        ASSERT_EQ(OpenAndPlay(nullptr, name, false, &playEnd), openedDevice);
        EXPECT_EQ(playEnd, end) << name;
        sent.clear();
        EXPECT_TRUE(ResumePlay(nullptr, openedDevice, false, playEnd));
        ASSERT_EQ(sent.size(), 1u);
        // No notice of its own: the first play's, which the pause kept, tells of the end.
        EXPECT_EQ(sent[0].flags, static_cast<DWORD_PTR>(end ? MCI_TO : 0)) << name;
        EXPECT_EQ(sent[0].to, end) << name;
    }
}

TEST_F(MciPlaybackTest, CdNameWithoutTrackNumberNeverOpensTheDrive)
{
    EXPECT_EQ(OpenAndPlay(nullptr, "Track.cda", false), 0u);
    EXPECT_TRUE(sent.empty());
    failOn = MCI_STATUS;
    EXPECT_EQ(OpenAndPlay(nullptr, "Track 7.cda", false), 0u);
    EXPECT_EQ(sent.back().message, static_cast<UINT>(MCI_CLOSE));
}

TEST(CdTrackNumberTest, FirstRunOfDigits)
{
    EXPECT_EQ(CdTrackNumber("Track05.cda"), 5);
    EXPECT_EQ(CdTrackNumber("CD 1 Track 12.cda"), 1);
    EXPECT_EQ(CdTrackNumber("Track.cda"), 0);
    EXPECT_EQ(CdTrackNumber("Track99999999999999999999.cda"), 0);
    EXPECT_TRUE(IsCdTrackName("x.CdA"));
    EXPECT_FALSE(IsCdTrackName("cda"));
    EXPECT_FALSE(IsCdTrackName("x.cdax"));
}

namespace {

// The main shape, without its window, playing a list of real files in a folder of their own.
class PlaybackChainTest : public MciPlaybackTest {
protected:
    void SetUp() override
    {
        MciPlaybackTest::SetUp();
        folder.Folder("music");
        for (const char* name : {"music\\a.wav", "music\\b.wav"}) shape.FileList().AddPath(folder.File(name).c_str(), nullptr);
        ASSERT_EQ(shape.PlayList().Count(), 2) << "a list stored by an earlier test";
    }

    TTempFolder folder;
    TMainShape shape;
};

} // namespace

TEST_F(PlaybackChainTest, OnlyTheEndOfThePlayingDeviceGoesOnToTheNextFile)
{
    shape.PlayNext(false);
    ASSERT_EQ(shape.DeviceId(), openedDevice);
    const std::string playing = shape.CurrentFile().Text();
    shape.PausePlayback();
    shape.PlayNext(true);
    ASSERT_EQ(shape.PlayerState(), StatePlaying);
    sent.clear();
    // Notices that end nothing: superseded or aborted by another command, or from a device
    // closed before.
    const std::pair<WPARAM, MCIDEVICEID> notices[] = {{MCI_NOTIFY_SUPERSEDED, openedDevice},
                                                      {MCI_NOTIFY_ABORTED, openedDevice},
                                                      {MCI_NOTIFY_SUCCESSFUL, openedDevice + 1},
                                                      {MCI_NOTIFY_FAILURE, openedDevice + 1}};
    for (const auto& [code, device] : notices) {
        shape.WindowProc(MM_MCINOTIFY, code, device);
        EXPECT_TRUE(sent.empty()) << "notice " << code << " of device " << device;
        EXPECT_EQ(shape.PlayerState(), StatePlaying);
        EXPECT_EQ(shape.CurrentFile().Text(), playing);
    }

    shape.WindowProc(MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, openedDevice);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[1].message, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(sent[2].message, static_cast<UINT>(MCI_OPEN));
    EXPECT_NE(shape.CurrentFile().Text(), playing);
}

TEST_F(PlaybackChainTest, TheFilesFolderIsCurrentForTheOpenOnly)
{
    const std::string before = CurrentDirectory();
    ASSERT_NE(before, folder.Path("music"));
    shape.PlayNext(false);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].directory, folder.Path("music"));
    EXPECT_TRUE(sent[0].element == "a.wav" || sent[0].element == "b.wav") << sent[0].element;
    EXPECT_EQ(CurrentDirectory(), before);
    shape.StopPlayback();
    EXPECT_EQ(CurrentDirectory(), before);
}
