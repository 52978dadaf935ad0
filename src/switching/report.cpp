#include "report.h"

namespace zark {

std::string FailureReport(const Failure& failure, const std::vector<Stranded>& stranded) {
    std::string text = "Error " + std::to_string(failure.number) + ": " + failure.description;
    if (!failure.file.empty()) text += "\nFile: " + failure.file;
    if (failure.accessDenied) {
        text += "\n\nThe game folder is write-protected, for example because it lies under Program Files. "
                "Run the program as administrator, or move the game to a folder where you may write.";
    }
    if (!stranded.empty()) {
        text += "\n\nThese files could not be put back:";
        for (const Stranded& file : stranded) text += "\n" + file.file + " is left as " + file.leftAs;
    }
    return text;
}

}  // namespace zark
