#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "platform/host_address.h"
#include "station/core/gbk_literal.h"
#include "station/core/local_addresses.h"
#include "station/core/recording_lookup.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::TestFolder;
using test_support::WriteFile;

const std::string kRel = "20120301\\rec-1.wav";

// A station set up in a fresh program folder.
struct Station {
    Station() { EXPECT_EQ(InitGlobals(g, prog.path()), ""); }
    TestFolder prog;
    StationGlobals g;
};

TEST(RecordingLookup, FindsARecordingWhereverTheStationKeepsIt) {
    struct Case {
        const char* where;
        std::function<std::string(Station&)> place;  // stores the recording, returns its full path
    };
    const Case cases[] = {
        {"directly under the data folder", [](Station& s) { return s.g.DataDir + "\\" + kRel; }},
        {"in a search folder", [](Station& s) {
             std::lock_guard<std::mutex> lock(s.g.FindDirsLock);
             s.g.FindDirs = {s.prog / "Empty", s.prog / "Found\\"};
             return s.prog / "Found\\" + kRel;
         }},
        {"in a device folder of the data folder", [](Station& s) { return s.g.DataDir + "\\dev-2\\" + kRel; }},
        {"in a device folder of an absolute save folder", [](Station& s) {
             s.g.Settings.LocalPath = false;
             s.g.Settings.UserSavePath = s.prog / "Saved";
             s.g.Settings.UserSavePathResolved = s.g.Settings.UserSavePath;
             return s.prog / ("Saved\\" + Gbk(u8"前台") + "\\" + kRel);
         }},
    };
    for (const Case& c : cases) {
        Station s;
        const std::string expected = c.place(s);
        WriteFile(expected, "RIFF");
        EXPECT_EQ(FindRecordingFile(s.g, kRel), expected) << c.where;
        EXPECT_EQ(FindRecordingFile(s.g, "20120301\\other.wav"), "") << c.where;
    }
}

TEST(RecordingLookup, ARelativeSavePathIsTheOneDownloadsUse) {
    // The current folder is the test's working folder, not the program folder: the recording
    // is found only through the save path resolved against the program folder.
    // The folder above the program folder is shared with other tests: a name of our own there.
    for (const char* stored : {".\\Rec", "..\\core-RelativeSaveFolder"}) {
        Station s;
        WriteFile(s.prog / "Velquist.ini", std::string("[SavePath]\r\nLocalPath=0\r\nUserSavePath=") + stored + "\r\n");
        StationGlobals g;
        ASSERT_EQ(InitGlobals(g, s.prog.path()), "");
        const std::string base = std::string(stored) == ".\\Rec" ? s.prog / "Rec"
                                                                 : plat::extract_file_dir(s.prog.path()) + "core-RelativeSaveFolder";
        ASSERT_EQ(g.Settings.UserSavePathResolved, base);
        const std::string file = base + "\\dev-1\\" + kRel;
        WriteFile(file, "RIFF");
        EXPECT_EQ(FindRecordingFile(g, kRel), file) << stored;
        EXPECT_EQ(g.SaveSubfolders, std::vector<std::string>{"dev-1"});
        test_support::RemoveTree(base);
    }
}

TEST(RecordingLookup, SaveFoldersAreListedAgainWhenTooFewOrAsked) {
    Station s;
    WriteFile(s.g.DataDir + "\\dev-1\\" + kRel, "RIFF");
    WriteFile(s.g.DataDir + "\\loose-file.txt", "x");
    ScanSaveFolders(s.g);
    EXPECT_EQ(s.g.SaveSubfolders, std::vector<std::string>{"dev-1"});

    // A folder made later is seen only after a rescan: requested, or because the list holds
    // fewer folders than there are devices.
    const std::string later = s.g.DataDir + "\\dev-2\\20120302\\rec-2.wav";
    WriteFile(later, "RIFF");
    EXPECT_EQ(FindRecordingFile(s.g, "20120302\\rec-2.wav"), "");
    s.g.RescanSaveFolders = true;
    EXPECT_EQ(FindRecordingFile(s.g, "20120302\\rec-2.wav"), later);
    EXPECT_FALSE(s.g.RescanSaveFolders);

    const std::string third = s.g.DataDir + "\\dev-3\\20120303\\rec-3.wav";
    WriteFile(third, "RIFF");
    s.g.DeviceCount = 3;
    EXPECT_EQ(FindRecordingFile(s.g, "20120303\\rec-3.wav"), third);
    std::vector<std::string> subs = s.g.SaveSubfolders;
    std::sort(subs.begin(), subs.end());
    EXPECT_EQ(subs, (std::vector<std::string>{"dev-1", "dev-2", "dev-3"}));

    // A save folder that does not exist lists nothing.
    s.g.Settings.LocalPath = false;
    s.g.Settings.UserSavePathResolved = s.prog / "Nowhere";
    ScanSaveFolders(s.g);
    EXPECT_TRUE(s.g.SaveSubfolders.empty());
}

TEST(RecordingLookup, PathsWithTheDeviceFolderResolveUnderTheSaveBaseFirst) {
    Station s;
    const std::string rel = "dev-1\\" + kRel;
    const std::string saved = s.g.DataDir + "\\" + rel;
    WriteFile(saved, "RIFF");
    {
        std::lock_guard<std::mutex> lock(s.g.FindDirsLock);
        s.g.FindDirs = {s.prog / "Copies"};
    }
    WriteFile(s.prog / "Copies\\" + rel, "copy");
    EXPECT_EQ(FindRecordingFiles(s.g, rel), std::vector<std::string>{saved});
    // Moved away from the save base: found as copies and exports keep it.
    plat::remove_file(saved);
    EXPECT_EQ(FindRecordingFile(s.g, rel), s.prog / "Copies\\" + rel);

    // An old two-part path counts every device folder's match, up to two.
    for (const char* device : {"dev-1", "dev-2", "dev-3"}) WriteFile(s.g.DataDir + "\\" + device + "\\" + kRel, "RIFF");
    s.g.RescanSaveFolders = true;
    EXPECT_EQ(FindRecordingFiles(s.g, kRel).size(), 2u);
    EXPECT_TRUE(IsTwoPartPath(kRel));
    EXPECT_FALSE(IsTwoPartPath(rel));
    EXPECT_FALSE(IsTwoPartPath(Gbk(u8"前台") + "\\" + kRel));
}

TEST(LocalAddresses, ListReplacedOrLeftAlone) {
    std::vector<std::string> list = {"old"};
    plat::FixedHostAddresses two({"10.77.0.1", "127.0.0.1"});
    plat::set_host_address_provider(&two);
    EXPECT_EQ(GetLocalAddresses(list), 2);
    EXPECT_EQ(list, (std::vector<std::string>{"10.77.0.1", "127.0.0.1"}));

    plat::FixedHostAddresses none({});
    plat::set_host_address_provider(&none);
    EXPECT_EQ(GetLocalAddresses(list), 0);
    EXPECT_EQ(list.size(), 2u);
    plat::set_host_address_provider(nullptr);
}

} // namespace
} // namespace station
