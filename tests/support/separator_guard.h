// The number texts' decimal separator switched for one scope of a test.
#pragma once

#include "text/numbertext.h"

// A test that switches the separator leaves "." behind, even when it fails.
class SeparatorGuard {
public:
    explicit SeparatorGuard(char separator) { costmodel::SetDecimalSeparator(separator); }
    ~SeparatorGuard() { costmodel::SetDecimalSeparator('.'); }
    SeparatorGuard(const SeparatorGuard&) = delete;
    SeparatorGuard& operator=(const SeparatorGuard&) = delete;
};
