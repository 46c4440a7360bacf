// What happened between the plug-in and the user during one run of the
// stand-in host, kept apart from the scene it built: progress bar, redraws,
// message boxes, dialogs, the current directory, temporary files, calls on
// the biped interfaces, and the host's complaints about calls it refused.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "hostapi/HostTypes.h"
#include "hostapi/WinTypes.h"

namespace memhost {

struct ProgressStartEvent {
    std::string title;
    bool showBar = false;
    bool workerGiven = false;
    hostapi::DWORD workerResult = 0;
};

struct ProgressUpdateEvent {
    int percent = 0;
    bool showPercent = false;
    std::optional<std::string> title;
};

struct ProgressEndEvent {};

struct RedrawViewsEvent {};

struct CompleteRedrawEvent {
    bool doDisabled = false;
};

struct CurrentDirectoryEvent {
    std::string path;
    bool accepted = false;
};

struct MessageBoxEvent {
    // "main" for the host's main window, "" for none.
    std::string owner;
    std::string text;
    std::string caption;
    hostapi::UINT type = 0;
    int answer = 0;
};

struct DialogCheck {
    int control = 0;
    bool checked = false;

    bool operator==(const DialogCheck&) const = default;
};

// The text of an edit box, UTF-8.
struct DialogText {
    int control = 0;
    std::string text;

    bool operator==(const DialogText&) const = default;
};

// How a scripted dialog was answered.
enum class DialogAnswer {
    Ok,          // the OK button
    Cancel,      // the Cancel button
    CloseBox,    // the close box: WM_CLOSE, then WM_COMMAND IDCANCEL
    FailToOpen,  // the dialog cannot be shown: -1, the procedure never runs
};

struct DialogEvent {
    int templateId = 0;
    std::string caption;
    std::string owner;
    bool moduleGiven = false;
    // False when no script was queued or the call was unusable (no template,
    // no procedure): the dialog was not shown and -1 returned.
    bool scripted = false;
    DialogAnswer answer = DialogAnswer::FailToOpen;
    // Whether the procedure centred the dialog, and over what ("main", "" for
    // the screen).
    bool centred = false;
    std::string centredOver;
    // Check-box states after WM_INITDIALOG and when the dialog ended, in
    // template order.
    std::vector<DialogCheck> checksAfterInit;
    std::vector<DialogCheck> checksAtEnd;
    // Check boxes the script clicked, in order.
    std::vector<int> clicks;
    // Edit-box texts after WM_INITDIALOG and at the end, in template order,
    // and the edit boxes the script typed into, in order.
    std::vector<DialogText> textsAfterInit;
    std::vector<DialogText> textsAtEnd;
    std::vector<int> edits;
    // Whether the procedure called EndDialog, and with what.
    bool ended = false;
    hostapi::INT_PTR endResult = 0;
    hostapi::INT_PTR returned = -1;
};

// A call on a biped controller's interfaces.
struct BipedCall {
    int node = -1;
    std::string call;
    std::optional<int> value;
    std::optional<hostapi::Interval> range;
};

// A GetTempFileNameA that gave a name.
struct TempFileRecord {
    std::string prefix;
    hostapi::UINT unique = 0;
    // Without its folder.
    std::string name;
    // Whether the folder was the host's temporary folder.
    bool inTempFolder = false;
    // Whether the host created the file (unique 0).
    bool created = false;
};

using SessionEvent = std::variant<ProgressStartEvent, ProgressUpdateEvent, ProgressEndEvent, RedrawViewsEvent,
                                  CompleteRedrawEvent, CurrentDirectoryEvent, MessageBoxEvent, DialogEvent>;

class Session {
public:
    void Add(SessionEvent event);
    const std::vector<SessionEvent>& events() const { return events_; }

    // Every event of one kind, in order.
    template <class Event>
    std::vector<const Event*> All() const {
        std::vector<const Event*> out;
        for (const SessionEvent& e : events_) {
            if (const Event* typed = std::get_if<Event>(&e)) {
                out.push_back(typed);
            }
        }
        return out;
    }

    // Called with each event as it happens (the tvx command draws its
    // progress bar from these).
    void SetObserver(std::function<void(const SessionEvent&)> observer) { observer_ = std::move(observer); }

    // A call the host refused or found wrong: a bad index, a foreign
    // object, an unbalanced resume. The call itself did nothing.
    void HostError(std::string message) { hostErrors_.push_back(std::move(message)); }
    const std::vector<std::string>& hostErrors() const { return hostErrors_; }

    // A value set while animate or set-key mode was on, which the real host
    // would have turned into an animation key.
    void ChangeWhileAnimating(const std::string& call) { ++changesWhileAnimating_[call]; }
    const std::map<std::string, int>& changesWhileAnimating() const { return changesWhileAnimating_; }

    const std::optional<std::string>& currentDirectory() const { return currentDirectory_; }
    void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }

    void AddBipedCall(BipedCall call) { bipedCalls_.push_back(std::move(call)); }
    const std::vector<BipedCall>& bipedCalls() const { return bipedCalls_; }

    void AddTempFile(TempFileRecord file) { tempFiles_.push_back(std::move(file)); }
    const std::vector<TempFileRecord>& tempFiles() const { return tempFiles_; }

private:
    std::vector<SessionEvent> events_;
    std::function<void(const SessionEvent&)> observer_;
    std::vector<std::string> hostErrors_;
    std::map<std::string, int> changesWhileAnimating_;
    std::optional<std::string> currentDirectory_;
    std::vector<BipedCall> bipedCalls_;
    std::vector<TempFileRecord> tempFiles_;
};

}  // namespace memhost
