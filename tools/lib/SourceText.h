#pragma once

#include <string>

namespace tools {

// Helpers shared by the readers of the hand-written content sources.
class SourceText {
public:
    // The text without leading and trailing blanks, tabs and carriage returns.
    static std::string fTrim(const std::string& s);
};

}  // namespace tools
