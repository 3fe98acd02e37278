#include "cli/terminalprogress.h"

#include <string>

namespace lamira {

void TerminalProgress::Refresh(int mode)
{
    const auto now = std::chrono::steady_clock::now();
    if (mode == Finish) {
        clear();
        return;
    }
    if (mode == Update && m_shown && now - m_last < std::chrono::milliseconds(100))
        return;
    m_last = now;
    draw();
}

void TerminalProgress::draw()
{
    constexpr int Cells = 30;
    const int filled = Max1 > 0 ? std::min(Cells, (Pos1 + 1) * Cells / Max1) : 0;
    std::string bar(size_t(filled), '#');
    bar.append(size_t(Cells - filled), '.');
    std::string line =
        Caption + " [" + bar + "] " + std::to_string(Pos1 + 1) + "/" + std::to_string(Max1);
    if (m_parts & SecondBar)
        line += "  " + Name2 + " " + std::to_string(Pos2) + "/" + std::to_string(Max2);
    std::fprintf(m_out, "\r\033[K%s", line.c_str());
    std::fflush(m_out);
    m_shown = true;
}

void TerminalProgress::clear()
{
    if (!m_shown)
        return;
    std::fprintf(m_out, "\r\033[K");
    std::fflush(m_out);
    m_shown = false;
}

} // namespace lamira
