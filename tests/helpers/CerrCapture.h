#pragma once

#include <iostream>
#include <sstream>
#include <string>

namespace testing_helpers
{
/** Captures what is written to standard error while it lives. */
class CerrCapture
{
public:
    CerrCapture()
        : previous (std::cerr.rdbuf (captured.rdbuf()))
    {
    }
    ~CerrCapture() { std::cerr.rdbuf (previous); }
    std::string text() const { return captured.str(); }

private:
    std::ostringstream captured;
    std::streambuf* previous;
};
} // namespace testing_helpers
