#include "core/result.h"

namespace vexmoor {

std::string Error::describe() const {
    std::string text = file;
    if (line > 0) text += ", line " + std::to_string(line);
    if (!text.empty()) text += ": ";
    return text + reason;
}

}  // namespace vexmoor
