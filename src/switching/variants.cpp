#include "switching/variants.h"

#include <algorithm>

namespace zark {

const Variant* VariantWithStore(const std::string& store) {
    for (const Variant* variant : kVariants) {
        if (variant->store == store) return variant;
    }
    return nullptr;
}

std::vector<std::string> RuleFileNames() {
    std::vector<std::string> names;
    for (const Variant* variant : kVariants) {
        for (const RuleFile& file : variant->files) {
            for (const std::string name : {file.inactiveName, file.activeName}) {
                if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
            }
        }
    }
    return names;
}

}  // namespace zark
