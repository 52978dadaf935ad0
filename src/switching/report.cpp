#include "switching/report.h"

#include "switching/filesystem.h"

#include <cctype>

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
        // Both causes refuse alike, and only one of them yields to an administrator.
        return "Windows does not let this program write in the game folder. If the folder is protected, as "
               "Program Files is, run the launcher as administrator, or move the game to a folder of your own. "
               "If Windows Security's Controlled folder access protects it, allow the program there (Virus "
               "& threat protection, Ransomware protection, Allow an app through Controlled folder access).";
#else
        return "You may not write in the game folder. Check its permissions and owner (ls -ld), give yourself "
               "write permission (chmod u+w), or move the game to a folder of your own.";
#endif
    case Cause::SourceMissing:
    case Cause::NameTaken:
        return "Run zarkswitch status in the game folder to see what is out of place, and zarkswitch repair to "
               "put it right.";
    case Cause::LockFileNotAFile:
        return "Delete " + file +
               " in the game folder and try again; the next switch creates it anew as a plain "
               "file.";
    case Cause::LockFileRefused:
#ifdef _WIN32
        return file + " is read-only or belongs to another user, as when a switch ran as administrator. Delete " +
               file + " in the game folder and try again; the next switch creates it anew.";
#else
        return file + " is read-only or belongs to another user, as when a switch ran with sudo. Delete " + file +
               " in the game folder and try again; the next switch creates it anew.";
#endif
    case Cause::NotGameFolder:
        return "ZARK Launcher must be started in the game folder, beside sun.exe. If you start it from a "
               "shortcut, write the game folder into the shortcut's \"Start in\" field.";
    case Cause::GameMissing:
        return "The game folder holds no sun.exe. ZARK Launcher belongs in the game folder, beside sun.exe.";
    case Cause::NoLocks:
        return "The game folder's file system offers no file locks, which switching needs: move the game to a "
               "local disk.";
    case Cause::Other:
    case Cause::Busy: break;
    }
    return {};
}

// The failure's own advice, or else its cause's.
std::string adviceOf(const Failure& failure) {
    return failure.advice.empty() ? adviceFor(failure.cause, failure.file) : failure.advice;
}

// The system's description with its inserts filled in: %1 is the file (where there is one), any
// other insert is left out. Windows' texts carry them ("Bad EXE format for %1."), since the
// program asks for the bare texts.
std::string filledIn(const std::string& description, const std::string& file) {
    std::string text;
    for (std::size_t i = 0; i < description.size(); ++i) {
        if (description[i] != '%' || i + 1 == description.size() ||
            !std::isdigit(static_cast<unsigned char>(description[i + 1]))) {
            text += description[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < description.size() && std::isdigit(static_cast<unsigned char>(description[end]))) ++end;
        if (description.compare(i, end - i, "%1") == 0 && !file.empty()) {
            text += file;
        } else if (!text.empty() && text.back() == ' ') {
            text.pop_back();
        } else if (end < description.size() && description[end] == ' ') {
            ++end;  // An insert left out at the start takes its blank with it.
        }
        i = end - 1;
    }
    return text;
}

}  // namespace

std::string FailureReport(const Failure& failure, const std::vector<Stranded>& stranded) {
    // Waiting for another switcher is no error of the system's: the sentence is the report.
    if (AnotherProgramIsSwitching(failure)) return failure.description;

    // The file by its full path: a player must find it, and may not know which folder the
    // program works in.
    const std::string path = failure.file.empty() ? std::string() : FullPath(failure.file);
    std::string text = "Error " + std::to_string(failure.number) + ": " + filledIn(failure.description, path);
    if (!path.empty()) text += "\nFile: " + path;
    const std::string advice = adviceOf(failure);
    if (!advice.empty()) text += "\n\n" + advice;
    if (!stranded.empty()) {
        text += "\n\nThese files could not be put back:";
        for (const Stranded& left : stranded) {
            text += "\n" + FullPath(left.file) + " is left as " + FullPath(left.leftAs);
        }
    }
    return text;
}

std::string FailureLine(const Failure& failure) {
    std::string text = filledIn(failure.description, failure.file);
    // The system's descriptions on Windows end in a full stop; the file follows it here.
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (!failure.file.empty()) text += " (" + failure.file + ")";
    const std::string advice = adviceOf(failure);
    return advice.empty() ? text : text + ". " + advice;
}

}  // namespace zark
