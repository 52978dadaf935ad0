// Feeds arbitrary bytes to the store reader. It must not crash, and its answer must agree
// with a plain reference reading of the first item.
#include "switching/modstate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The reference: the item's sign and leading digits, leading zeros dropped, more than five
// significant digits being out of range without further arithmetic.
zark::ModStateRead reference(const std::string& content) {
    const std::size_t start = content.find_first_not_of(" \t");
    if (start == std::string::npos) return zark::Failure{62, "", ""};
    const std::size_t end = std::min(content.find_first_of(" \t,\r\n", start), content.size());
    std::string item = content.substr(start, end - start);
    const bool negative = !item.empty() && item[0] == '-';
    if (!item.empty() && (item[0] == '+' || item[0] == '-')) item.erase(0, 1);
    const std::string digits = item.substr(0, item.find_first_not_of("0123456789"));
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "" : digits.substr(first);
    if (significant.size() > 5) return zark::Failure{6, "", ""};
    const long magnitude = significant.empty() ? 0 : std::stol(significant);
    const long value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return zark::Failure{6, "", ""};
    return static_cast<zark::ModState>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const zark::ModStateRead read = zark::ParseModState(content, "zarkdata.dat");
    const zark::ModStateRead expected = reference(content);

    if (const auto* failure = std::get_if<zark::Failure>(&read)) {
        const bool known = (failure->number == 62 && failure->description == "Input past end of file") ||
                           (failure->number == 6 && failure->description == "Overflow");
        const auto* expectedFailure = std::get_if<zark::Failure>(&expected);
        if (!known || failure->file != "zarkdata.dat" || !expectedFailure ||
            expectedFailure->number != failure->number) {
            std::abort();
        }
    } else if (std::get_if<zark::ModState>(&expected) == nullptr ||
               std::get<zark::ModState>(expected) != std::get<zark::ModState>(read)) {
        std::abort();
    }
    return 0;
}
