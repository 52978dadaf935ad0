#include "report.h"

namespace zark {

namespace {

// Advice for what the player can do about the failure of a step on `file`, worded for the
// system the program runs on; none where the number and the description say it all.
std::string adviceFor(Cause cause, const std::string& file) {
    switch (cause) {
    case Cause::InUse:
        return "Another program has this file open: the game, an editor, or a virus scanner. Close it and try "
               "again.";
    case Cause::ReadOnlyFile:
#ifdef _WIN32
        return "The file is read-only. Clear its read-only mark (Properties in Explorer) and try again.";
#else
        return "The file is read-only. Give it write permission (chmod u+w) and try again.";
#endif
    case Cause::FolderProtected:
#ifdef _WIN32
        return "The game folder is write-protected, for example because it lies under Program Files. Run the "
               "program as administrator, or move the game to a folder where you may write.";
#else
        return "You may not write in the game folder. Check its permissions and owner (ls -ld), give yourself "
               "write permission (chmod u+w), or move the game to a folder of your own.";
#endif
    case Cause::SourceMissing:
    case Cause::NameTaken:
        return "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch repair to "
               "put it right.";
    case Cause::LockFileNotAFile:
        return "Delete " + file + " in the game folder and try again; the next switch creates it anew as a plain "
               "file.";
    case Cause::LockFileRefused:
#ifdef _WIN32
        return file + " is read-only or belongs to another user, as when a switch ran as administrator. Delete " +
               file + " in the game folder and try again; the next switch creates it anew.";
#else
        return file + " is read-only or belongs to another user, as when a switch ran with sudo. Delete " + file +
               " in the game folder and try again; the next switch creates it anew.";
#endif
    case Cause::NoLocks:
        return "The game folder's file system offers no file locks, which switching needs: move the game to a "
               "local disk.";
    case Cause::Other:
    case Cause::Busy:
        break;
    }
    return {};
}

}  // namespace

std::string FailureReport(const Failure& failure, const std::vector<Stranded>& stranded) {
    // Waiting for another switcher is no error of the system's: the sentence is the report.
    if (AnotherProgramIsSwitching(failure)) return failure.description;

    std::string text = "Error " + std::to_string(failure.number) + ": " + failure.description;
    if (!failure.file.empty()) text += "\nFile: " + failure.file;
    const std::string advice = adviceFor(failure.cause, failure.file);
    if (!advice.empty()) text += "\n\n" + advice;
    if (!stranded.empty()) {
        text += "\n\nThese files could not be put back:";
        for (const Stranded& file : stranded) text += "\n" + file.file + " is left as " + file.leftAs;
    }
    return text;
}

std::string FailureLine(const Failure& failure) {
    std::string text = failure.description;
    // The system's descriptions on Windows end in a full stop; the file follows it here.
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (!failure.file.empty()) text += " (" + failure.file + ")";
    const std::string advice = adviceFor(failure.cause, failure.file);
    return advice.empty() ? text : text + ". " + advice;
}

}  // namespace zark
