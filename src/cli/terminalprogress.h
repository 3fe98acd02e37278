#pragma once

#include "cutting/progress.h"

#include <chrono>
#include <cstdio>

namespace lamira {

// A one-line progress bar for a terminal: the caption, the first bar and the
// second bar's count, redrawn at most every 100 ms and cleared at the finish.
// Never cancelled (Ctrl-C ends the program).
class TerminalProgress final : public Progress
{
public:
    explicit TerminalProgress(std::FILE *out) : m_out(out) {}

    void SetParts(int flags) override { m_parts = flags; }
    void Refresh(int mode) override;
    bool Cancelled() const override { return false; }

private:
    void draw();
    void clear();

    std::FILE *m_out;
    int m_parts = 0;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_last{};
};

} // namespace lamira
