#pragma once

#include "cutting/progress.h"

#include <functional>
#include <string>
#include <vector>

// A progress display that remembers what it was asked to show and can press
// cancel when a condition holds.
class RecordingProgress final : public lamira::Progress
{
public:
    struct Started
    {
        std::string caption, name1, name2, text1, text2;
        int max1 = 0;
        int parts = 0;
    };

    std::vector<Started> starts;
    std::vector<int> modes;
    int parts = 0;
    int finishes = 0;
    // Asked after every refresh; once true, Cancelled() stays true.
    std::function<bool(const RecordingProgress &)> cancelWhen;

    void SetParts(int flags) override
    {
        parts = flags;
        if (!starts.empty())
            starts.back().parts = flags;
    }

    void Refresh(int mode) override
    {
        modes.push_back(mode);
        if (mode == Progress::Start)
            starts.push_back({Caption, Name1, Name2, Text1, Text2, Max1, parts});
        if (mode == Progress::Finish)
            ++finishes;
        if (cancelWhen && cancelWhen(*this))
            m_cancelled = true;
    }

    bool Cancelled() const override { return m_cancelled; }

private:
    bool m_cancelled = false;
};
