#pragma once

#include <string>

namespace lamira {

// What a long operation shows while it runs, and how it learns that the user
// wants it stopped. The GUI's progress window and the headless cutter's
// terminal bar implement it; the core only sets the fields and calls Refresh
// at its own checkpoints.
//
// Calling pattern: set Caption, the names, texts, maxima and positions;
// SetParts(flags); Refresh(Start); in the work loop set Pos1/Pos2, test
// Cancelled() (and end the work after Refresh(Finish) when it is set), else
// Refresh(Update); at the end Refresh(Finish).
class Progress
{
public:
    enum Mode { Update = 0, Start = 1, Finish = 2 };
    enum Part { FirstBar = 1, SecondBar = 2, CancelButton = 4 };

    virtual ~Progress() = default;

    std::string Caption;
    std::string Name1, Text1; // label and text of the first bar
    std::string Name2, Text2; // label and text of the second bar
    int Max1 = 0, Pos1 = 0;
    int Max2 = 0, Pos2 = 0;

    // Which parts are shown: a combination of Part flags.
    virtual void SetParts(int flags) = 0;
    // Start, update or finish; updates may be throttled by the display.
    virtual void Refresh(int mode) = 0;
    // True once the user asked to stop the operation.
    virtual bool Cancelled() const = 0;
};

// A display that shows nothing and is never cancelled.
class NullProgress final : public Progress
{
public:
    void SetParts(int) override {}
    void Refresh(int) override {}
    bool Cancelled() const override { return false; }
};

} // namespace lamira
