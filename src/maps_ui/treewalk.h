#pragma once

#include "cutting/ctree.h"

#include <vector>

namespace lamira {

// Calls f on every node of the tree in pre-order (Piece, Right, Below),
// with an explicit stack, so that deep maps cost no recursion. f must not
// delete nodes.
template <class Node, class F> void forEachNode(Node &root, F f)
{
    std::vector<Node *> pending{&root};
    while (!pending.empty()) {
        Node *n = pending.back();
        pending.pop_back();
        if (n->Below)
            pending.push_back(n->Below.get());
        if (n->Right)
            pending.push_back(n->Right.get());
        if (n->Piece)
            pending.push_back(n->Piece.get());
        f(*n);
    }
}

} // namespace lamira
