#include "cutting/ctree.h"

#include "cutting/panelhook.h"
#include "cutting/rounding.h"

#include <cstdio>
#include <utility>

namespace lamira {

namespace {

// Pre-order successor (Piece, Right, Below) of n within the subtree of top.
// Climbing through Parent links keeps every walk free of recursion and of
// allocation, whatever the depth of the map.
template <class Node> Node *nextPreorder(Node *n, const CTree *top)
{
    if (n->Piece)
        return n->Piece.get();
    if (n->Right)
        return n->Right.get();
    if (n->Below)
        return n->Below.get();
    while (n != top) {
        Node *p = n->Parent;
        if (n == p->Piece.get()) {
            if (p->Right)
                return p->Right.get();
            if (p->Below)
                return p->Below.get();
        } else if (n == p->Right.get()) {
            if (p->Below)
                return p->Below.get();
        }
        n = p;
    }
    return nullptr;
}

// The same walk over Right and Below links only: Piece subtrees are skipped.
template <class Node> Node *nextRightBelow(Node *n, const CTree *top)
{
    if (n->Right)
        return n->Right.get();
    if (n->Below)
        return n->Below.get();
    while (n != top) {
        Node *p = n->Parent;
        if (n == p->Right.get() && p->Below)
            return p->Below.get();
        n = p;
    }
    return nullptr;
}

std::unique_ptr<CTree> &linkTo(CTree &parent, const CTree *child)
{
    if (parent.Piece.get() == child)
        return parent.Piece;
    if (parent.Right.get() == child)
        return parent.Right;
    return parent.Below;
}

CTree *newChild(CTree &parent, std::unique_ptr<CTree> &link, int left, int top, int width,
                int height)
{
    link = std::make_unique<CTree>();
    CTree *c = link.get();
    c->Parent = &parent;
    c->Left = left;
    c->Top = top;
    c->Width = width;
    c->Height = height;
    c->Saw = parent.Saw;
    return c;
}

// Walks the working list for a free node. Details are only ever placed during
// one fill, so the leading run of placed details is skipped once, not at
// every node.
class FillScan
{
public:
    explicit FillScan(const std::vector<Detail *> &list) : m_list(list) {}

    Detail *pick(const CTree &n)
    {
        while (m_first < m_list.size() && m_list[m_first]->IsPlaced)
            ++m_first;
        for (size_t i = m_first; i < m_list.size(); ++i) {
            Detail *d = m_list[i];
            if (d->IsPlaced)
                continue;
            if (d->Width <= n.Width && d->Height <= n.Height)
                return d;
            if (d->Width <= n.Height && d->Height <= n.Width && !d->Texture) {
                // The turn is permanent: the record keeps it for every later use.
                std::swap(d->Width, d->Height);
                return d;
            }
        }
        return nullptr;
    }

private:
    const std::vector<Detail *> &m_list;
    size_t m_first = 0;
};

void putPiece(CTree &n, Detail &d)
{
    CTree *p = newChild(n, n.Piece, n.Left, n.Top, d.Width, d.Height);
    p->Free = false;
    p->Item = &d;
    d.IsPlaced = true;
}

bool hasBelowRoom(const CTree &n)
{
    return n.Piece->Height + n.Saw < n.Height;
}

CTree *makeBelow(CTree &n)
{
    const CTree &p = *n.Piece;
    return newChild(n, n.Below, n.Left, n.Top + p.Height + n.Saw, p.Width,
                    n.Height - p.Height - n.Saw);
}

// Places `first` on `start` and fills depth first: the whole right area is
// filled before the area below is created. Iterative form of the mutual
// recursion PlaceDetail -> Fill(Right) -> ... -> Fill(Below).
void growFrom(CTree &start, Detail *first, FillScan &scan)
{
    CTree *n = &start;
    Detail *d = first;
    for (;;) {
        if (d) {
            putPiece(*n, *d);
            const CTree &p = *n->Piece;
            // Strict comparisons: a remainder not wider than the saw is dropped.
            if (p.Width + n->Saw < n->Width) {
                n = newChild(*n, n->Right, n->Left + p.Width + n->Saw, n->Top,
                             n->Width - p.Width - n->Saw, n->Height);
                d = scan.pick(*n);
                continue;
            }
            if (hasBelowRoom(*n)) {
                n = makeBelow(*n);
                d = scan.pick(*n);
                continue;
            }
        }
        // n is complete: go back up to the first parent whose below area is
        // still to be made.
        CTree *next = nullptr;
        while (n != &start) {
            CTree *parent = n->Parent;
            const bool wasRight = n == parent->Right.get();
            n = parent;
            if (wasRight && hasBelowRoom(*parent)) {
                next = makeBelow(*parent);
                break;
            }
        }
        if (!next)
            return;
        n = next;
        d = scan.pick(*n);
    }
}

void destroyPanels(CTree &top, PanelHook *hook)
{
    for (CTree *n = &top; n; n = nextPreorder(n, &top)) {
        if (n->Panel) {
            if (hook)
                hook->DestroyPanel(*n);
            n->Panel = nullptr;
        }
    }
}

} // namespace

CTree::~CTree()
{
    // Children are detached onto a local stack so that deleting a deep map
    // does not recurse once per level.
    std::vector<std::unique_ptr<CTree>> pending;
    auto detach = [&pending](CTree &n) {
        if (n.Piece)
            pending.push_back(std::move(n.Piece));
        if (n.Right)
            pending.push_back(std::move(n.Right));
        if (n.Below)
            pending.push_back(std::move(n.Below));
    };
    if (IsLeaf())
        return;
    detach(*this);
    while (!pending.empty()) {
        std::unique_ptr<CTree> n = std::move(pending.back());
        pending.pop_back();
        detach(*n);
    }
}

std::unique_ptr<CTree> CTree::NewSheet(int width, int height, int saw, const std::string &material)
{
    auto root = std::make_unique<CTree>();
    root->Width = width;
    root->Height = height;
    root->Saw = saw;
    root->Left = 10;
    root->Top = 10;
    root->Material = material;
    return root;
}

const CTree &CTree::Root() const
{
    const CTree *n = this;
    while (n->Parent)
        n = n->Parent;
    return *n;
}

CTree &CTree::Root()
{
    return const_cast<CTree &>(std::as_const(*this).Root());
}

void CTree::PlaceDetail(Detail &detail, const std::vector<Detail *> &list)
{
    FillScan scan(list);
    growFrom(*this, &detail, scan);
}

void CTree::Fill(const std::vector<Detail *> &list)
{
    FillScan scan(list);
    if (Detail *d = scan.pick(*this))
        growFrom(*this, d, scan);
}

void CTree::ReleaseDetails()
{
    for (CTree *n = this; n; n = nextRightBelow(n, this)) {
        if (n->Piece && n->Piece->Item)
            n->Piece->Item->IsPlaced = false;
    }
}

double CTree::SumLeafArea() const
{
    double sum = 0;
    for (const CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->Parent && n->IsLeaf())
            sum += static_cast<double>(n->Width) * n->Height;
    }
    return sum;
}

double CTree::UsePercent() const
{
    const CTree &root = Root();
    double detailArea = 0;
    for (const CTree *n = &root; n; n = nextPreorder(n, &root)) {
        if (n->IsLeaf() && !n->Free)
            detailArea += static_cast<double>(n->Width) * n->Height;
    }
    const double leafArea = root.SumLeafArea();
    if (leafArea <= 0)
        return 0; // an empty map (editor) uses nothing
    return RoundTo(detailArea / leafArea * 100, -2);
}

double CTree::CutLength() const
{
    const CTree &root = Root();
    if (root.Saw <= 0)
        return 0;
    const double kerf = static_cast<double>(root.Width) * root.Height - root.SumLeafArea();
    return RoundTo(kerf / root.Saw * 0.001, -3);
}

int CTree::CutCount() const
{
    int cuts = 0;
    for (const CTree *n = this; n; n = nextRightBelow(n, this))
        cuts += (n->Right ? 1 : 0) + (n->Below ? 1 : 0);
    return cuts;
}

void CTree::CollectResiduals(const std::string &material, std::vector<Residual> &list) const
{
    for (const CTree *n = this; n; n = nextRightBelow(n, this)) {
        if (n->Parent && n->Free && n->IsLeaf())
            list.push_back(Residual{n->Width, n->Height, material, 0, 1});
    }
}

void CTree::CollectDetails(std::vector<Detail *> &list) const
{
    for (const CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->Item)
            list.push_back(n->Item);
    }
}

std::string CTree::Up() const
{
    const CTree &root = Root();
    return std::to_string(root.Width) + "x" + std::to_string(root.Height);
}

std::string CTree::InfoText() const
{
    const CTree &root = Root();
    // The default text form of a double: up to 15 significant digits.
    char percent[64];
    std::snprintf(percent, sizeof percent, "%.15g", root.UsePercent());
    return "Количество: " + std::to_string(root.Count) + " шт. ,процент использования: " + percent +
           " %,    размер листа " + root.Up() + "  материал: '" + root.Material + "'";
}

bool CTree::IsEmpty() const
{
    for (const CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->IsLeaf() && !n->Free)
            return false;
    }
    return true;
}

void CTree::Collapse(PanelHook *hook)
{
    if (!IsEmpty())
        return;
    for (auto *link : {&Piece, &Right, &Below}) {
        if (*link) {
            destroyPanels(**link, hook);
            link->reset();
        }
    }
    Free = true;
    if (Panel && hook)
        hook->MakeFreePanel(*this);
}

std::unique_ptr<CTree> CTree::Clone(CTree *parent) const
{
    auto copyNode = [](const CTree &src, CTree *newParent) {
        auto c = std::make_unique<CTree>();
        c->Parent = newParent;
        c->Width = src.Width;
        c->Height = src.Height;
        c->Left = src.Left;
        c->Top = src.Top;
        c->Count = src.Count;
        c->Free = src.Free;
        c->Item = src.Item;
        c->Saw = src.Saw;
        c->Material = src.Material;
        c->Edited = true;
        if (!src.Parent)
            c->Hint = src.Hint;
        return c;
    };
    std::unique_ptr<CTree> top = copyNode(*this, parent);
    // Walk source and copy in step: descend by creating the matching child,
    // climb through both Parent chains together.
    const CTree *s = this;
    CTree *d = top.get();
    for (;;) {
        const CTree *next = nextPreorder(s, this);
        if (!next)
            break;
        // Climb the copy as far as the source climbs.
        const CTree *sp = next->Parent;
        while (s != sp) {
            s = s->Parent;
            d = d->Parent;
        }
        std::unique_ptr<CTree> &link = next == sp->Piece.get()   ? d->Piece
                                       : next == sp->Right.get() ? d->Right
                                                                 : d->Below;
        link = copyNode(*next, d);
        s = next;
        d = link.get();
    }
    return top;
}

Detail *CTree::FindDetail(const void *panel) const
{
    for (const CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->Item && n->Panel == panel)
            return n->Item;
    }
    return nullptr;
}

bool CTree::HasPanel(const void *panel) const
{
    for (const CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->Panel == panel)
            return true;
    }
    return false;
}

bool CTree::RemoveDetail(Detail *detail, PanelHook *hook)
{
    for (CTree *n = this; n; n = nextPreorder(n, this)) {
        if (n->Item == detail) {
            n->Free = true;
            detail->IsPlaced = false;
            n->Item = nullptr;
            if (n->Panel && hook)
                hook->MakeFreePanel(*n);
            return true;
        }
    }
    return false;
}

CTree *CTree::FindNeighbour(CTree &root, const CTree &node, int direction)
{
    for (CTree *c = &root; c; c = nextPreorder(c, &root)) {
        if (!c->Parent || !c->IsLeaf() || !c->Free || c == &node)
            continue;
        if (direction == ToRight && c->Top == node.Top && c->Height == node.Height &&
            node.Left + node.Width + c->Saw == c->Left)
            return c;
        if (direction == ToBelow && c->Left == node.Left && c->Width == node.Width &&
            node.Top + node.Height + c->Saw == c->Top)
            return c;
    }
    return nullptr;
}

bool CTree::JoinFree(int direction, const void *selectedPanel, PanelHook *hook)
{
    if (!selectedPanel)
        return false;
    for (CTree *n = this; n; n = nextPreorder(n, this)) {
        if (!n->Free || !n->Parent || n->Panel != selectedPanel)
            continue;
        CTree *c = FindNeighbour(*this, *n, direction);
        if (!c)
            return false;
        if (direction == ToRight)
            n->Width += n->Saw + c->Width;
        else
            n->Height += c->Height + n->Saw;
        for (CTree *p : {n, c}) {
            if (p->Panel && hook)
                hook->DestroyPanel(*p);
            p->Panel = nullptr;
        }
        // The neighbour is a leaf wherever it sits; unlinking it cannot
        // touch n, so the walk ends here safely.
        linkTo(*c->Parent, c).reset();
        return true;
    }
    return false;
}

int CTree::LastRightFree() const
{
    const CTree *n = this;
    while (n->Right)
        n = n->Right.get();
    return n->IsLeaf() && n->Free ? n->Width : 0;
}

void CTree::ShrinkRight(CTree &root, int amount)
{
    CTree *n = this;
    while (n->Right)
        n = n->Right.get();
    if (!n->IsLeaf() || !n->Free)
        return;
    if (n == &root) {
        // An empty sheet is its own free end: it shrinks once, and a sheet is
        // never dropped from its own tree.
        root.Width -= amount;
        return;
    }
    root.Width -= amount;
    n->Width -= amount;
    if (n->Width <= 0 && n->Parent)
        n->Parent->Right.reset();
}

bool SameLayout(const CTree &a, const CTree &b)
{
    // Both trees are walked in step; as long as every node matched so far,
    // the two pre-order successors correspond.
    const CTree *x = &a;
    const CTree *y = &b;
    while (x && y) {
        if (x->Width != y->Width || x->Height != y->Height || x->Free != y->Free)
            return false;
        if (!x->Piece != !y->Piece || !x->Right != !y->Right || !x->Below != !y->Below)
            return false;
        x = nextPreorder(x, &a);
        y = nextPreorder(y, &b);
    }
    return !x && !y;
}

} // namespace lamira
