// The narrow Win32 calls of an export: a dialog with an edit box answered
// by a script, message boxes in narrow text, and real temporary files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "memhost/HostSceneJson.h"
#include "memhost/MemHost.h"
#include "tests/support/TempDir.h"

namespace memhost {
namespace {

using namespace hostapi;

constexpr int kBox = 1000;
constexpr int kEdit = 105;
constexpr int kLabel = 2000;

constexpr DialogControl kControls[] = {
    {IDOK, DialogControlKind::DefPushButton, u"OK", {145, 10, 50, 14}},
    {kBox, DialogControlKind::AutoCheckBox, u"Export bones", {15, 20, 90, 9}},
    {kLabel, DialogControlKind::LText, u"index:", {15, 126, 20, 8}},
    {kEdit, DialogControlKind::EditText, u"", {40, 124, 20, 12}, WS_BORDER | ES_AUTOHSCROLL},
};
constexpr DialogTemplate kDialog{
    101, WS_POPUP | WS_CAPTION, LANG_ENGLISH_US, u"Exporter", u"MS Sans Serif", 8, 202, 241, kControls};

// A procedure of the usual shape: a number in the edit box, read back on OK.
struct Log {
    int* value = nullptr;
    int changes = 0;
    std::string label;
    unsigned copied = 0;
};
Log gLog;

INT_PTR NumberProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        gLog.value = reinterpret_cast<int*>(lParam);
        SetDlgItemTextA(dialog, kEdit, std::to_string(*gLog.value).c_str());
        SendDlgItemMessageA(dialog, kBox, BM_SETCHECK, BST_CHECKED, 0);
        char label[16];
        GetDlgItemTextA(dialog, kLabel, label, sizeof label);
        gLog.label = label;
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kEdit) {
        ++gLog.changes;
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        char text[4];
        gLog.copied = GetDlgItemTextA(dialog, kEdit, text, sizeof text);
        *gLog.value = std::atoi(text);
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

class NarrowDialog : public ::testing::Test {
protected:
    void SetUp() override { gLog = {}; }

    INT_PTR Show() {
        Platform& platform = host.GetPlatform();
        return platform.DialogBoxParamA(nullptr, &kDialog, platform.GetActiveWindow(), NumberProc,
                                        reinterpret_cast<LPARAM>(&value));
    }
    const DialogEvent& Shown() { return *host.session().All<DialogEvent>().back(); }

    MemHost host;
    int value = 2;
};

TEST_F(NarrowDialog, AnEditBoxHoldsWhatIsTypedAndGivesAtMostItsBuffer) {
    DialogScript script;
    script.texts = {{kEdit, "12345"}};
    host.QueueDialog(script);
    EXPECT_EQ(Show(), 1);
    // Three characters and the zero fit in the procedure's buffer.
    EXPECT_EQ(gLog.copied, 3u);
    EXPECT_EQ(value, 123);
    EXPECT_EQ(gLog.changes, 1);
    EXPECT_EQ(gLog.label, "index:");
    EXPECT_EQ(Shown().textsAfterInit, (std::vector<DialogText>{{kEdit, "2"}}));
    EXPECT_EQ(Shown().edits, std::vector<int>{kEdit});
    EXPECT_EQ(Shown().textsAtEnd, (std::vector<DialogText>{{kEdit, "12345"}}));
    EXPECT_EQ(Shown().checksAfterInit, (std::vector<DialogCheck>{{kBox, true}}));

    // Untouched, the box keeps what the procedure wrote; typing into
    // something that is no edit box is the script's mistake.
    DialogScript wrong;
    wrong.texts = {{kBox, "7"}};
    host.QueueDialog(wrong);
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(value, 123);
    EXPECT_EQ(host.session().hostErrors().size(), 1u);

    // Narrow text is Latin-1 both ways.
    DialogScript accented;
    accented.texts = {{kEdit, "\xC3\xA9\xE2\x82\xAC"}};
    host.QueueDialog(accented);
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(gLog.copied, 2u);
    EXPECT_EQ(HostSceneJson(host)["session"]["events"][2]["textsAtEnd"],
              nlohmann::ordered_json::parse(R"([[105, "\u00e9\u20ac"]])"));
}

TEST(NarrowWin32, CallsOnNoWindowOrNoControlAnswerNothing) {
    char text[8] = "xxxxxxx";
    EXPECT_EQ(GetDlgItemTextA(nullptr, kEdit, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(SetDlgItemTextA(nullptr, kEdit, "1"), FALSE);
    EXPECT_EQ(SendDlgItemMessageA(nullptr, kBox, BM_GETCHECK, 0, 0), 0);

    MemHost host;
    Platform& platform = host.GetPlatform();
    EXPECT_EQ(platform.MessageBoxA(platform.GetActiveWindow(), "Caf\xE9 ready.", "Success", MB_OK | MB_ICONINFORMATION),
              IDOK);
    const auto boxes = host.session().All<MessageBoxEvent>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->text, "Caf\xC3\xA9 ready.");
    EXPECT_EQ(boxes[0]->type, MB_ICONINFORMATION);
}

class TempFiles : public ::testing::Test {
protected:
    void SetUp() override { host.platform().SetTempFolder(folder.path().string()); }

    std::string Folder() const { return folder.path().string() + "/"; }

    tvx::test::TempDir folder;
    MemHost host;
};

TEST_F(TempFiles, TheFolderComesWithItsSeparatorOrAsTheSizeItNeeds) {
    Platform& platform = host.GetPlatform();
    const auto length = static_cast<DWORD>(Folder().size());
    char small[4] = "abc";
    EXPECT_EQ(platform.GetTempPathA(sizeof small, small), length + 1);
    EXPECT_STREQ(small, "abc");
    std::string buffer(length + 1, 'x');
    EXPECT_EQ(platform.GetTempPathA(length + 1, buffer.data()), length);
    EXPECT_EQ(buffer.c_str(), Folder());

    host.platform().SetTempFolder("");
    EXPECT_EQ(platform.GetTempPathA(length + 1, buffer.data()), 0u);
    host.platform().SetTempFolder(folder.path().string());
    host.failures().FailCall(HostCall::GetTempPathA);
    EXPECT_EQ(platform.GetTempPathA(length + 1, buffer.data()), 0u);
}

TEST_F(TempFiles, UniqueNamesAreCreatedAndNeverTakeAnExistingFile) {
    Platform& platform = host.GetPlatform();
    {
        std::ofstream taken(folder / "tvx2.TMP");
        taken << "someone else's";
    }
    char name[MAX_PATH];
    EXPECT_EQ(platform.GetTempFileNameA(Folder().c_str(), "tvxfile", 0, name), 1u);
    EXPECT_EQ(name, Folder() + "tvx1.TMP");
    // Without the separator the host adds one.
    EXPECT_EQ(platform.GetTempFileNameA(folder.path().string().c_str(), "tvx", 0, name), 3u);
    EXPECT_EQ(name, Folder() + "tvx3.TMP");
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"tvx1.TMP", "tvx2.TMP", "tvx3.TMP"}));
    std::ifstream kept(folder / "tvx2.TMP");
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "someone else's");

    // A number given only forms the name.
    EXPECT_EQ(platform.GetTempFileNameA(Folder().c_str(), "tvx", 0xABC, name), 0xABCu);
    EXPECT_EQ(name, Folder() + "tvxABC.TMP");
    EXPECT_EQ(folder.List().size(), 3u);

    const auto& records = host.session().tempFiles();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, "tvx1.TMP");
    EXPECT_TRUE(records[0].created);
    EXPECT_TRUE(records[0].inTempFolder);
    EXPECT_FALSE(records[2].created);
}

TEST_F(TempFiles, AMissingFolderATooLongNameOrAFailureGiveNoName) {
    Platform& platform = host.GetPlatform();
    char name[MAX_PATH] = "untouched";
    EXPECT_EQ(platform.GetTempFileNameA((Folder() + "missing/").c_str(), "tvx", 0, name), 0u);
    const std::string deep = Folder() + std::string(250, 'd') + "/";
    EXPECT_EQ(platform.GetTempFileNameA(deep.c_str(), "tvx", 0, name), 0u);
    EXPECT_EQ(platform.GetTempFileNameA(deep.c_str(), "tvx", 5, name), 0u);
    host.failures().FailCall(HostCall::GetTempFileNameA);
    EXPECT_EQ(platform.GetTempFileNameA(Folder().c_str(), "tvx", 0, name), 0u);
    EXPECT_STREQ(name, "untouched");
    EXPECT_TRUE(folder.List().empty());
    EXPECT_EQ(platform.GetTempFileNameA(nullptr, "tvx", 0, name), 0u);
    EXPECT_EQ(host.session().hostErrors().size(), 1u);
}

}  // namespace
}  // namespace memhost
