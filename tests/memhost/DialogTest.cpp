// The stand-in host shows a dialog by running the plug-in's own dialog
// procedure. These tests drive a small options procedure of the usual shape
// (three check boxes mirrored into an int block) through every answer.
#include <gtest/gtest.h>

#include <array>

#include "hostapi/Win32.h"
#include "memhost/MemHost.h"

namespace memhost {
namespace {

using namespace hostapi;

constexpr int kBoxA = 40021;
constexpr int kBoxB = 40022;
constexpr int kBoxC = 40023;
constexpr std::array<int, 3> kBoxes{kBoxA, kBoxB, kBoxC};

constexpr DialogControl kControls[] = {
    {IDOK, DialogControlKind::DefPushButton, u"OK", {145, 10, 50, 14}},
    {IDCANCEL, DialogControlKind::PushButton, u"Cancel", {145, 27, 50, 14}},
    {IDC_STATIC, DialogControlKind::GroupBox, u"Group", {5, 5, 130, 40}},
    {kBoxA, DialogControlKind::AutoCheckBox, u"A", {15, 20, 90, 9}},
    {kBoxB, DialogControlKind::AutoCheckBox, u"B", {15, 30, 90, 9}},
    {kBoxC, DialogControlKind::AutoCheckBox, u"C", {15, 65, 90, 8}},
};
constexpr DialogTemplate kDialog{
    900, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, LANG_ENGLISH_US, u"Options",
    u"MS Sans Serif", 8, 202, 85, kControls};

HINSTANCE Module() {
    static int anchor = 0;
    return reinterpret_cast<HINSTANCE>(&anchor);
}

// What the procedure saw, reset by each test.
struct ProcLog {
    int* options = nullptr;
    int clickNotifications = 0;
    int closeMessages = 0;
    int cancelCommands = 0;
};
ProcLog gLog;

INT_PTR OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        gLog.options = reinterpret_cast<int*>(lParam);
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            SendDlgItemMessageW(dialog, kBoxes[i], BM_SETCHECK, static_cast<WPARAM>(gLog.options[i]), 0);
        }
        CenterWindow(dialog, GetParent(dialog));
        return TRUE;
    case WM_CLOSE:
        ++gLog.closeMessages;
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            for (std::size_t i = 0; i < kBoxes.size(); ++i) {
                gLog.options[i] = IsDlgButtonChecked(dialog, kBoxes[i]) == BST_CHECKED ? 1 : 0;
            }
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            ++gLog.cancelCommands;
            EndDialog(dialog, 0);
            return TRUE;
        default:
            if (HIWORD(wParam) == BN_CLICKED) {
                ++gLog.clickNotifications;
            }
            return FALSE;
        }
    default:
        return FALSE;
    }
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { gLog = {}; }

    INT_PTR Show(DLGPROC proc = OptionsProc) {
        Platform& platform = host.GetPlatform();
        return platform.DialogBoxParamW(Module(), &kDialog, platform.GetActiveWindow(), proc,
                                        reinterpret_cast<LPARAM>(options.data()));
    }

    const DialogEvent& Shown(std::size_t i = 0) const {
        const auto dialogs = host.session().All<DialogEvent>();
        EXPECT_GT(dialogs.size(), i);
        return *dialogs.at(i);
    }

    MemHost host;
    std::array<int, 3> options{1, 0, 1};
};

TEST_F(DialogTest, OkKeepsTheOptionsAndRecordsWhatWasShown) {
    host.QueueDialog({});
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(options, (std::array<int, 3>{1, 0, 1}));

    const DialogEvent& d = Shown();
    EXPECT_EQ(d.templateId, 900);
    EXPECT_EQ(d.caption, "Options");
    EXPECT_EQ(d.owner, "main");
    EXPECT_TRUE(d.moduleGiven);
    EXPECT_TRUE(d.centred);
    EXPECT_EQ(d.centredOver, "main");
    const std::vector<DialogCheck> initial{{kBoxA, true}, {kBoxB, false}, {kBoxC, true}};
    EXPECT_EQ(d.checksAfterInit, initial);
    EXPECT_EQ(d.checksAtEnd, initial);
    EXPECT_TRUE(d.clicks.empty());
    EXPECT_TRUE(d.ended);
    EXPECT_EQ(d.returned, 1);
    EXPECT_TRUE(host.session().hostErrors().empty());
}

TEST_F(DialogTest, ScriptedChecksClickOnlyBoxesInTheOtherState) {
    // A is already on: no click. B goes on, C goes off.
    host.QueueDialog({{{kBoxA, true}, {kBoxB, true}, {kBoxC, false}}, DialogAnswer::Ok});
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(options, (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(gLog.clickNotifications, 2);
    EXPECT_EQ(Shown().clicks, (std::vector<int>{kBoxB, kBoxC}));
}

TEST_F(DialogTest, CancelAndTheCloseBoxLeaveTheOptionsAlone) {
    host.QueueDialog({{{kBoxA, false}}, DialogAnswer::Cancel});
    host.QueueDialog({{{kBoxC, false}}, DialogAnswer::CloseBox});

    EXPECT_EQ(Show(), 0);
    EXPECT_EQ(options, (std::array<int, 3>{1, 0, 1}));
    EXPECT_EQ(gLog.closeMessages, 0);

    // The procedure leaves WM_CLOSE to the default handling, which sends
    // IDCANCEL.
    EXPECT_EQ(Show(), 0);
    EXPECT_EQ(options, (std::array<int, 3>{1, 0, 1}));
    EXPECT_EQ(gLog.closeMessages, 1);
    EXPECT_EQ(gLog.cancelCommands, 2);
    EXPECT_EQ(Shown(1).answer, DialogAnswer::CloseBox);
    EXPECT_EQ(Shown(1).checksAtEnd[2], (DialogCheck{kBoxC, false}));
}

INT_PTR EndsOnClose(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        EndDialog(dialog, 7);
        return TRUE;
    }
    return OptionsProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, AProcedureThatHandlesCloseGetsNoCancel) {
    host.QueueDialog({{}, DialogAnswer::CloseBox});
    EXPECT_EQ(Show(EndsOnClose), 7);
    EXPECT_EQ(gLog.cancelCommands, 0);
}

TEST_F(DialogTest, ADialogThatCannotOpenNeverRunsTheProcedure) {
    host.QueueDialog({{{kBoxA, false}}, DialogAnswer::FailToOpen});
    EXPECT_EQ(Show(), -1);
    EXPECT_EQ(gLog.options, nullptr);
    EXPECT_TRUE(Shown().scripted);
    EXPECT_FALSE(Shown().ended);
    EXPECT_TRUE(host.session().hostErrors().empty());
}

TEST_F(DialogTest, AnUnscriptedDialogIsNotShownAndIsReported) {
    EXPECT_EQ(Show(), -1);
    EXPECT_EQ(gLog.options, nullptr);
    EXPECT_FALSE(Shown().scripted);
    ASSERT_EQ(host.session().hostErrors().size(), 1u);
}

TEST_F(DialogTest, ScriptsAreUsedOncePerDialogInOrder) {
    host.QueueDialog({{{kBoxB, true}}, DialogAnswer::Cancel});
    host.QueueDialog({{{kBoxB, true}}, DialogAnswer::Ok});
    EXPECT_EQ(Show(), 0);
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(options, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(host.platform().QueuedDialogs(), 0);
    EXPECT_EQ(Show(), -1);
}

INT_PTR NeverEnds(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

TEST_F(DialogTest, AProcedureThatNeverEndsTheDialogFailsTheCall) {
    host.QueueDialog({});
    EXPECT_EQ(Show(NeverEnds), -1);
    EXPECT_FALSE(Shown().ended);
    EXPECT_EQ(host.session().hostErrors().size(), 1u);
}

INT_PTR EndsAtOnce(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 3);
        return TRUE;
    }
    return OptionsProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, EndingDuringInitialisationSkipsTheScript) {
    host.QueueDialog({{{kBoxB, true}}, DialogAnswer::Ok});
    EXPECT_EQ(Show(EndsAtOnce), 3);
    EXPECT_TRUE(Shown().clicks.empty());
    EXPECT_EQ(gLog.clickNotifications, 0);
}

TEST_F(DialogTest, MistakesAgainstTheTemplateAreReported) {
    // The script names a push button and a missing control; the procedure
    // sends a state Win32 does not define for a two-state box.
    host.QueueDialog({{{IDOK, true}, {41000, true}}, DialogAnswer::Ok});
    options = {1, 2, 1};
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(host.session().hostErrors().size(), 3u);
    EXPECT_EQ(options, (std::array<int, 3>{1, 1, 1}));

    // The Win32 forwards answer 0 for a null window instead of crashing.
    EXPECT_EQ(SendDlgItemMessageW(nullptr, kBoxA, BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(IsDlgButtonChecked(nullptr, kBoxA), 0u);
    EXPECT_EQ(EndDialog(nullptr, 1), FALSE);
    EXPECT_EQ(GetParent(nullptr), nullptr);
}

TEST_F(DialogTest, WithoutAnActiveWindowTheDialogHasNoOwner) {
    host.platform().SetActiveWindowPresent(false);
    host.QueueDialog({});
    EXPECT_EQ(Show(), 1);
    EXPECT_EQ(Shown().owner, "");
    EXPECT_TRUE(Shown().centred);
    EXPECT_EQ(Shown().centredOver, "");
}

TEST(MessageBox, IsRecordedAndAnsweredWithOk) {
    MemHost host;
    Platform& platform = host.GetPlatform();
    EXPECT_EQ(platform.MessageBoxW(platform.GetActiveWindow(), u"Could not open \u00e9.", u"Error", MB_ICONERROR),
              IDOK);
    const auto boxes = host.session().All<MessageBoxEvent>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->owner, "main");
    EXPECT_EQ(boxes[0]->text, "Could not open \xC3\xA9.");
    EXPECT_EQ(boxes[0]->caption, "Error");
    EXPECT_EQ(boxes[0]->type, MB_ICONERROR);
}

TEST(CurrentDirectory, IsRecordedNotChanged) {
    MemHost host;
    Platform& platform = host.GetPlatform();
    EXPECT_EQ(platform.SetCurrentDirectoryW(u"C:\\scenes\\"), TRUE);
    EXPECT_EQ(platform.SetCurrentDirectoryW(u""), FALSE);
    EXPECT_EQ(host.session().currentDirectory(), "C:\\scenes\\");
    EXPECT_EQ(host.session().All<CurrentDirectoryEvent>().size(), 2u);
}

}  // namespace
}  // namespace memhost
