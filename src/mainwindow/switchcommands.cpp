// The main window's switch commands: each menu command and indicator runs its switch under the
// folder's switch lock, shows what it read and did, and offers to put right a folder that stops it.
#include "mainwindow/zarkmain.h"

#include "switching/filesystem.h"
#include "switching/foldercheck.h"
#include "switching/mend.h"
#include "switching/repair.h"
#include "switching/winstrings.h"
#include "win/errorreport.h"
#include "win/messagebox.h"

namespace zark {

namespace {

// The wait cursor while the window cannot answer, from here until the end of the scope: a switch
// that waits for a file another program holds, or for another program's switch, takes a moment.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

// Runs a switch command under the folder's switch lock. Another program that is switching in
// the folder is waited for a moment, then the user is told. Where the rule files turn out not to
// stand where the stores say, the folder check says what is out of place, before anyone else
// can switch. The switch's own changes of the folder are no news: the watch starts afresh before
// the lock goes, so that only what others change from then on is read again.
SwitchOutcome ZARKMain::runSwitch(SwitchCommand command, std::vector<std::string>& outOfPlace) {
    const WaitCursor wait;
    FileSystem& disk = realFileSystem();
    SwitchOutcome outcome;
    outOfPlace.clear();
    std::optional<Failure> locked = UnderSwitchLock(
        disk,
        [&](const SwitchLock& lock) {
            outcome = command(disk, lock);
            if (outcome.failure && RepairMayHelp(*outcome.failure)) CheckFolder(disk, ReadStores(disk), outOfPlace);
        },
        [&] { watch_.start(); });
    if (locked) outcome.failure = std::move(locked);
    return outcome;
}

// Puts the rule files where the stores say, as far as the stores leave no doubt, under the switch
// lock as a switch would; then says what it did and what is left for the player to decide, and
// the indicators show the stores.
void ZARKMain::repairFolder() {
    std::optional<Failure> failure;
    RepairReport report;
    std::vector<std::string> outOfPlace;
    {
        const WaitCursor wait;
        FileSystem& disk = realFileSystem();
        std::optional<Failure> locked = UnderSwitchLock(
            disk,
            [&](const SwitchLock& lock) {
                failure = RepairFolder(disk, lock, report);
                const StoresRead stores = ReadStores(disk);
                showStores(stores);
                if (!failure) failure = CheckFolder(disk, stores, outOfPlace);
            },
            [&] { watch_.start(); });
        if (locked) {
            showErrorReport(hwnd_, *locked);
            return;
        }
    }
    const std::wstring result = widen(RepairResult(report, failure, outOfPlace));
    showMessageBox(hwnd_, result, failure ? MB_OK | MB_ICONERROR : MB_OK);
}

// Each store that the command read shows in its indicator, refusals and failures included: a
// store may have been switched by another program since the window last looked. A failed switch
// has put the files back (but for those it lists as stranded), so the launcher reports it and
// stays open; where the files stood elsewhere than the stores say, it offers to put them right.
void ZARKMain::carryOut(const SwitchOutcome& outcome, const std::vector<std::string>& outOfPlace, Indicator& switched) {
    if (outcome.basestateRead) modstatus.show(*outcome.basestateRead);
    if (outcome.fsstateRead) fsmodstatus.show(*outcome.fsstateRead);
    if (outcome.switchedTo) switched.show(*outcome.switchedTo);
    if (outcome.failure && RepairMayHelp(*outcome.failure)) {
        const std::wstring offer = widen(RepairOffer(*outcome.failure, outcome.stranded, outOfPlace));
        if (outOfPlace.empty()) {
            showMessageBox(hwnd_, offer, MB_OK | MB_ICONERROR);
        } else if (askAfterFailure(hwnd_, offer)) {
            repairFolder();
        }
    } else if (outcome.failure) {
        showErrorReport(hwnd_, *outcome.failure, outcome.stranded);
    } else if (outcome.message != nullptr) {
        showMessage(hwnd_, widen(outcome.message));
    }
}

void ZARKMain::activatezark_Click() { switchVariant(modstatus, true); }

void ZARKMain::deactivatezark_Click() { switchVariant(modstatus, false); }

void ZARKMain::activatezarkfs_Click() { switchVariant(fsmodstatus, true); }

void ZARKMain::deactivatezarkfs_Click() { switchVariant(fsmodstatus, false); }

// A lock file that no switch can use is offered to be cleared away, and the switch is then
// carried out; once only, so that a lock file that comes back is reported.
void ZARKMain::switchVariant(Indicator& indicator, bool activate) {
    const SwitchCommand command = commandFor(indicator.variant(), activate);
    std::vector<std::string> outOfPlace;
    SwitchOutcome outcome = runSwitch(command, outOfPlace);
    if (outcome.failure && LockFileClearable(realFileSystem(), *outcome.failure)) {
        if (!askAfterFailure(hwnd_, widen(ClearLockOffer(*outcome.failure)))) return;
        if (auto failure = ClearLockFile(realFileSystem(), *outcome.failure)) {
            showErrorReport(hwnd_, *failure);
            return;
        }
        outcome = runSwitch(command, outOfPlace);
    }
    carryOut(outcome, outOfPlace, indicator);
}

void ZARKMain::indicator_Click(const Indicator& indicator) {
    if (&indicator == &modstatus) {
        if (indicator.showsActivated()) {
            active_Click();
        } else {
            deactive_Click();
        }
    } else if (indicator.showsActivated()) {
        fsactive_Click();
    } else {
        fsdeactive_Click();
    }
}

void ZARKMain::active_Click() { deactivatezark_Click(); }

void ZARKMain::deactive_Click() { activatezark_Click(); }

void ZARKMain::fsactive_Click() { deactivatezarkfs_Click(); }

void ZARKMain::fsdeactive_Click() { activatezarkfs_Click(); }

// Ends the program on the spot: no window is closed first and nothing is written.
void ZARKMain::exitlauncher_Click() { ExitProcess(0); }

}  // namespace zark
