#pragma once

#include "cutting/detail.h"
#include "cutting/residual.h"

#include <memory>
#include <string>
#include <vector>

namespace lamira {

class PanelHook;

// A node of a guillotine cutting map. The root is the sheet; placing a detail
// on a free node gives it a Piece child at its top-left corner and at most two
// free children: Right (the full height right of the piece) and Below (under
// the piece, as wide as the piece), with the saw width taken off at each cut.
// Coordinates are absolute millimetres of the map; a sheet root sits at 10, 10.
//
// A node owns its children; a child's Parent must be the node that holds it
// (every operation below walks the tree through Parent links, without
// recursion, so arbitrarily deep maps are safe). Nodes only refer to Detail
// records; the records belong to the cut run.
class CTree
{
public:
    CTree() = default;
    ~CTree();
    CTree(const CTree &) = delete;
    CTree &operator=(const CTree &) = delete;

    CTree *Parent = nullptr;
    std::unique_ptr<CTree> Piece; // the placed detail at this node's corner
    std::unique_ptr<CTree> Right; // free area right of the piece
    std::unique_ptr<CTree> Below; // free area under the piece
    int Width = 0;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    int Count = 1;       // root: identical sheets cut by this map
    bool Free = true;    // leaves: free area (true) or placed detail
    bool Edited = false; // made by Clone (the editor's working copies)
    Detail *Item = nullptr;
    void *Panel = nullptr; // the UI's panel of this node, if shown
    std::string Hint;      // root: hint of the map's panels in the editor
    std::string Material;  // root: material of the sheet
    int Saw = 0;           // saw width, the same on every node of a map

    // A sheet root of the given size at Left = Top = 10.
    static std::unique_ptr<CTree> NewSheet(int width, int height, int saw,
                                           const std::string &material);

    // Places the detail at this node's corner (no fit test) and fills the
    // new right area, then the new below area, from the list.
    void PlaceDetail(Detail &detail, const std::vector<Detail *> &list);
    // Places the first unplaced detail of the list that fits, turning it when
    // only the turned orientation fits and it has no texture; else nothing.
    // The turn stays in the record.
    void Fill(const std::vector<Detail *> &list);
    // Clears IsPlaced of the details on the Right/Below walk from this node.
    void ReleaseDetails();

    // Sum of Width x Height of every leaf below this node (not the node
    // itself when it has no parent).
    double SumLeafArea() const;
    // Detail area over leaf area of the map, in percent rounded to 0.01;
    // 0 for a map without leaf area.
    double UsePercent() const;
    // Length of all saw cuts of the map in metres, rounded to 0.001; 0 when
    // the saw width is not positive.
    double CutLength() const;
    // Number of cuts: one per Right and Below link on the Right/Below walk.
    int CutCount() const;
    // Appends one record per free leaf on the walk node, Right, Below.
    void CollectResiduals(const std::string &material, std::vector<Residual> &list) const;
    // Appends the Item of every node that holds one, in pre-order.
    void CollectDetails(std::vector<Detail *> &list) const;

    // "WIDTHxHEIGHT" of the root of the tree that holds this node.
    std::string Up() const;
    // The information line of the map that holds this node.
    std::string InfoText() const;

    // Every leaf below (or this node, if a leaf) is free.
    bool IsEmpty() const;
    // When IsEmpty: drops the subtree and becomes one free leaf. The hook
    // destroys the panels of the dropped nodes and turns this node's panel
    // into a free-area panel.
    void Collapse(PanelHook *hook = nullptr);
    // Deep copy with Edited set on every new node and no panels; the copy
    // refers to the same Detail records. The hint is copied for a root only.
    std::unique_ptr<CTree> Clone(CTree *parent) const;

    // The Item of the first node (pre-order) whose Panel is the given one.
    Detail *FindDetail(const void *panel) const;
    bool HasPanel(const void *panel) const;
    // The first node holding the detail becomes a free area (it keeps its
    // place and size); the detail is no longer placed. False if not found.
    bool RemoveDetail(Detail *detail, PanelHook *hook = nullptr);

    enum Direction
    {
        ToRight = 1,
        ToBelow = 2
    };
    // A free leaf of the tree that touches the node on the given side with
    // the same extent along that side, found in pre-order; else nullptr.
    static CTree *FindNeighbour(CTree &root, const CTree &node, int direction);
    // Called on a root: merges the free node whose Panel is the selected one
    // with its neighbour in the given direction; the neighbour is deleted and
    // both panels are destroyed through the hook. False if nothing changed.
    bool JoinFree(int direction, const void *selectedPanel, PanelHook *hook = nullptr);

    // Width of the free leaf that ends the Right chain from this node, else 0.
    int LastRightFree() const;
    // Shortens the free leaf that ends the Right chain and the sheet (root)
    // by the amount; a leaf left without width is dropped.
    void ShrinkRight(CTree &root, int amount);

    bool IsLeaf() const { return !Piece && !Right && !Below; }
    const CTree &Root() const;
    CTree &Root();
};

// The two trees have the same shape: sizes and free flags of every node and
// the same children present. Positions, materials, details and counts are
// not compared.
bool SameLayout(const CTree &a, const CTree &b);

} // namespace lamira
