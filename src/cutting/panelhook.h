#pragma once

namespace lamira {

class CTree;

// The tree knows nothing about widgets; a node only carries an opaque Panel
// handle. Operations that delete nodes or free a detail's place tell the
// owner of the panels through this interface so that it can update them.
class PanelHook
{
public:
    virtual ~PanelHook() = default;

    // The node is about to be deleted or to lose its panel: destroy the
    // panel. The node's Panel is cleared by the tree afterwards.
    virtual void DestroyPanel(CTree &node) = 0;
    // The node has become a free area and keeps its panel: show it as a
    // free-area panel (caption Width "X" Height).
    virtual void MakeFreePanel(CTree &node) = 0;
};

} // namespace lamira
