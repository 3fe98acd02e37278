#include "cutting/ctree.h"
#include "cutting/panelhook.h"

#include <QTest>

#include <deque>

using lamira::CTree;
using lamira::Detail;

namespace {

// Details for one test, kept at stable addresses.
class Details
{
public:
    Detail *add(int width, int height, bool texture = false, const char *name = "D")
    {
        Detail &d = m_records.emplace_back();
        d.Name = name;
        d.Width = width;
        d.Height = height;
        d.Texture = texture;
        return &d;
    }

private:
    std::deque<Detail> m_records;
};

// Remembers what the tree asked of the panels.
class RecordingHook final : public lamira::PanelHook
{
public:
    std::vector<void *> destroyed;
    std::vector<void *> madeFree;
    void DestroyPanel(CTree &node) override { destroyed.push_back(node.Panel); }
    void MakeFreePanel(CTree &node) override { madeFree.push_back(node.Panel); }
};

void *panel(int n)
{
    return reinterpret_cast<void *>(std::uintptr_t(n) * 16);
}

// Sheet 2000 x 1000, saw 4, one detail 1000 x 500 at the corner: a free area
// 996 x 1000 to its right and 1000 x 496 under it.
std::unique_ptr<CTree> halfSheet(Detail *d)
{
    auto root = CTree::NewSheet(2000, 1000, 4, "ЛДСП");
    root->Fill({d});
    return root;
}

} // namespace

class TestCTree : public QObject
{
    Q_OBJECT

private slots:
    void placeDetailSplits_data();
    void placeDetailSplits();
    void fillFillsRightBeforeBelow();
    void fillTurnRules();
    void measures_data();
    void measures();
    void walks();
    void infoText();
    void sameLayout();
    void cloneIsDeepAndMarked();
    void removeDetailAndCollapse();
    void joinFree();
    void rightChain();
    void deepMapsNeedNoRecursion();
};

void TestCTree::placeDetailSplits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("right"); // x, y, width, height; null = no child
    QTest::addColumn<QRect>("below");

    // Node 1000 x 500 at (10, 10), saw 4.
    QTest::newRow("exact size: piece only") << 1000 << 500 << QRect() << QRect();
    QTest::newRow("node width minus saw: no right")
        << 996 << 300 << QRect() << QRect(10, 314, 996, 196);
    QTest::newRow("one over the saw: thin right")
        << 995 << 496 << QRect(1009, 10, 1, 500) << QRect();
    QTest::newRow("both areas") << 600 << 300 << QRect(614, 10, 396, 500)
                                << QRect(10, 314, 600, 196);
}

void TestCTree::placeDetailSplits()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRect, right);
    QFETCH(QRect, below);
    Details ds;
    Detail *d = ds.add(width, height);
    auto node = CTree::NewSheet(1000, 500, 4, "M");
    node->PlaceDetail(*d, {});

    QVERIFY(d->IsPlaced);
    QVERIFY(node->Piece);
    QCOMPARE(node->Piece->Item, d);
    QCOMPARE(node->Piece->Free, false);
    QCOMPARE(QRect(node->Piece->Left, node->Piece->Top, node->Piece->Width, node->Piece->Height),
             QRect(10, 10, width, height));
    auto rect = [](const std::unique_ptr<CTree> &n) {
        return n ? QRect(n->Left, n->Top, n->Width, n->Height) : QRect();
    };
    QCOMPARE(rect(node->Right), right);
    QCOMPARE(rect(node->Below), below);
    for (auto *child : {node->Piece.get(), node->Right.get(), node->Below.get()}) {
        if (child) {
            QCOMPARE(child->Parent, node.get());
            QCOMPARE(child->Saw, 4);
        }
    }
}

void TestCTree::fillFillsRightBeforeBelow()
{
    // The list as the strip selection leaves it for 600, 600, 500 details:
    // both 600 details go side by side along the sheet, the 500 one under
    // the second of them, not under the first.
    Details ds;
    Detail *second = ds.add(600, 500, false, "second");
    Detail *first = ds.add(600, 500, false, "first");
    Detail *small = ds.add(500, 400, false, "small");
    auto root = CTree::NewSheet(1250, 1000, 4, "M");
    root->Fill({second, first, small});

    QCOMPARE(root->Piece->Item, second);
    const CTree &right = *root->Right;
    QCOMPARE(right.Left, 614);
    QCOMPARE(right.Piece->Item, first);
    QCOMPARE(right.Below->Piece->Item, small);
    QCOMPARE(right.Below->Piece->Left, 614);
    QCOMPARE(right.Below->Piece->Top, 514);
    QVERIFY(right.Right->IsLeaf()); // 42 mm left over, too narrow for anything
    QVERIFY(root->Below->IsLeaf() && root->Below->Free);
}

void TestCTree::fillTurnRules()
{
    Details ds;
    // Fits the 800 x 1000 node only turned.
    Detail *grained = ds.add(1000, 700, true, "grained");
    Detail *plain = ds.add(1000, 700, false, "plain");
    auto node = CTree::NewSheet(800, 1000, 4, "M");
    node->Fill({grained, plain});

    QCOMPARE(node->Piece->Item, plain);
    QVERIFY(!grained->IsPlaced);
    QCOMPARE(grained->Width, 1000);
    // The turn is made in the record and stays there.
    QCOMPARE(plain->Width, 700);
    QCOMPARE(plain->Height, 1000);
    QCOMPARE(node->Piece->Width, 700);

    // Placed details are skipped on the next fill.
    auto other = CTree::NewSheet(800, 1000, 4, "M");
    other->Fill({plain});
    QVERIFY(other->IsLeaf());
}

void TestCTree::measures_data()
{
    QTest::addColumn<int>("sheetWidth");
    QTest::addColumn<int>("sheetHeight");
    QTest::addColumn<int>("detailWidth"); // 0 = no detail
    QTest::addColumn<int>("saw");
    QTest::addColumn<double>("usePercent");
    QTest::addColumn<double>("cutLength");
    QTest::addColumn<int>("cutCount");

    // Leaves 1000 x 1000 and 996 x 1000: 100 x 1e6 / 1.996e6 = 50.1002.
    QTest::newRow("half sheet") << 2000 << 1000 << 1000 << 4 << 50.1 << 1.0 << 1;
    QTest::newRow("just under half") << 5003 << 1000 << 2499 << 4 << 49.99 << 1.0 << 1;
    QTest::newRow("exactly half") << 5004 << 1000 << 2500 << 4 << 50.0 << 1.0 << 1;
    // No leaves: nothing is used, and the whole sheet counts as kerf.
    QTest::newRow("empty map") << 2000 << 1000 << 0 << 4 << 0.0 << 500.0 << 0;
    QTest::newRow("no saw") << 2000 << 1000 << 1000 << 0 << 50.0 << 0.0 << 1;
}

void TestCTree::measures()
{
    QFETCH(int, sheetWidth);
    QFETCH(int, sheetHeight);
    QFETCH(int, detailWidth);
    QFETCH(int, saw);
    QFETCH(double, usePercent);
    QFETCH(double, cutLength);
    QFETCH(int, cutCount);
    Details ds;
    auto root = CTree::NewSheet(sheetWidth, sheetHeight, saw, "M");
    if (detailWidth > 0)
        root->Fill({ds.add(detailWidth, sheetHeight)});
    QCOMPARE(root->UsePercent(), usePercent);
    QCOMPARE(root->CutCount(), cutCount);
    QCOMPARE(root->CutLength(), cutLength);
    // Every node answers for its map.
    if (root->Piece)
        QCOMPARE(root->Piece->UsePercent(), usePercent);
}

void TestCTree::walks()
{
    Details ds;
    Detail *a = ds.add(1000, 500, false, "a");
    Detail *b = ds.add(900, 600, false, "b");
    Detail *c = ds.add(400, 300, false, "c");
    auto root = CTree::NewSheet(2000, 1000, 4, "M");
    root->Fill({a, b, c});
    // a at the corner, b right of it, c under b: the right area is filled
    // completely before the area under a is made.
    QCOMPARE(root->Right->Piece->Item, b);
    QCOMPARE(root->Right->Below->Piece->Item, c);
    QVERIFY(root->Below->IsLeaf());

    std::vector<Detail *> items;
    root->CollectDetails(items);
    QCOMPARE(items, (std::vector<Detail *>{a, b, c}));

    std::vector<lamira::Residual> residuals;
    root->CollectResiduals("M", residuals);
    // Node, Right subtree, Below subtree; Piece subtrees are not visited.
    std::vector<std::pair<int, int>> sizes;
    for (const auto &r : residuals) {
        QCOMPARE(r.Material, std::string("M"));
        QCOMPARE(r.Count, 1);
        QCOMPARE(r.Number, 0);
        sizes.emplace_back(r.Width, r.Height);
    }
    QCOMPARE(sizes,
             (std::vector<std::pair<int, int>>{{92, 1000}, {496, 396}, {400, 92}, {1000, 496}}));
    QCOMPARE(root->CutCount(), 6);

    QCOMPARE(root->Right->Below->Piece->Up(), std::string("2000x1000"));

    root->ReleaseDetails();
    QVERIFY(!a->IsPlaced && !b->IsPlaced && !c->IsPlaced);
    QVERIFY(!root->IsEmpty());
}

void TestCTree::infoText()
{
    Details ds;
    auto root = CTree::NewSheet(2000, 1000, 4, "ЛДСП Белый 16");
    root->Fill({ds.add(1000, 1000)});
    root->Count = 3;
    QCOMPARE(root->Piece->InfoText(),
             std::string("Количество: 3 шт. ,процент использования: 50.1 %,    размер листа "
                         "2000x1000  материал: 'ЛДСП Белый 16'"));
}

void TestCTree::sameLayout()
{
    Details ds;
    auto a = CTree::NewSheet(2000, 1000, 4, "A");
    a->Fill({ds.add(1000, 500, false, "x"), ds.add(700, 300, false, "y")});
    auto b = CTree::NewSheet(2000, 1000, 4, "B");
    b->Fill({ds.add(1000, 500, false, "other"), ds.add(700, 300, false, "names")});
    b->Count = 5;
    b->Left = 400; // positions, materials, names and counts do not matter
    QVERIFY(SameLayout(*a, *b));

    auto c = CTree::NewSheet(2000, 1000, 4, "A");
    c->Fill({ds.add(1000, 500), ds.add(700, 301)});
    QVERIFY(!SameLayout(*a, *c));

    auto d = CTree::NewSheet(2000, 1000, 4, "A");
    d->Fill({ds.add(1000, 500)});
    QVERIFY(!SameLayout(*a, *d)); // a child present on one side only
    QVERIFY(!SameLayout(*d, *a));
}

void TestCTree::cloneIsDeepAndMarked()
{
    Details ds;
    auto root = CTree::NewSheet(2000, 1000, 4, "M");
    root->Fill({ds.add(1000, 500), ds.add(700, 300)});
    root->Hint = "1 из 2 , материал : M";
    root->Count = 2;
    root->Panel = panel(1);
    root->Right->Hint = "not a root";
    root->Right->Piece->Panel = panel(2);

    std::unique_ptr<CTree> copy = root->Clone(nullptr);
    QVERIFY(SameLayout(*root, *copy));
    QCOMPARE(copy->Hint, root->Hint);
    QCOMPARE(copy->Count, 2);
    QCOMPARE(copy->Material, std::string("M"));
    QVERIFY(copy->Right->Hint.empty());
    QCOMPARE(copy->Right->Piece->Item, root->Right->Piece->Item);
    QCOMPARE(copy->Right->Piece->Left, root->Right->Piece->Left);
    std::vector<const CTree *> stack{copy.get()};
    int nodes = 0;
    while (!stack.empty()) {
        const CTree *n = stack.back();
        stack.pop_back();
        ++nodes;
        QVERIFY(n->Edited);
        QVERIFY(!n->Panel);
        for (const CTree *c : {n->Piece.get(), n->Right.get(), n->Below.get()}) {
            if (c) {
                QCOMPARE(c->Parent, n);
                stack.push_back(c);
            }
        }
    }
    QCOMPARE(nodes, 7);
    QVERIFY(!root->Edited);

    // A subtree cloned under a given parent.
    std::unique_ptr<CTree> branch = root->Right->Clone(root.get());
    QCOMPARE(branch->Parent, root.get());
    QVERIFY(branch->Hint.empty());
    QVERIFY(copy->HasPanel(nullptr));
    QVERIFY(root->HasPanel(panel(2)));
    QVERIFY(!copy->HasPanel(panel(2)));
}

void TestCTree::removeDetailAndCollapse()
{
    Details ds;
    Detail *a = ds.add(1000, 500);
    auto root = halfSheet(a);
    root->Panel = panel(1);
    root->Piece->Panel = panel(2);
    root->Right->Panel = panel(3);
    root->Below->Panel = panel(4);
    QCOMPARE(root->FindDetail(panel(2)), a);
    QCOMPARE(root->FindDetail(panel(3)), nullptr);

    RecordingHook hook;
    root->Collapse(&hook); // a detail is on it: nothing happens
    QVERIFY(root->Piece);
    QVERIFY(hook.destroyed.empty());

    QVERIFY(root->RemoveDetail(a, &hook));
    QVERIFY(!a->IsPlaced);
    QVERIFY(root->Piece->Free);
    QCOMPARE(root->Piece->Item, nullptr);
    QCOMPARE(root->Piece->Width, 1000); // keeps its place and size
    QCOMPARE(hook.madeFree, std::vector<void *>{panel(2)});
    QVERIFY(!root->RemoveDetail(a, &hook));
    QVERIFY(root->IsEmpty());

    root->Collapse(&hook);
    QVERIFY(root->IsLeaf());
    QVERIFY(root->Free);
    QCOMPARE(hook.destroyed, (std::vector<void *>{panel(2), panel(3), panel(4)}));
    QCOMPARE(hook.madeFree, (std::vector<void *>{panel(2), panel(1)}));
    QCOMPARE(root->UsePercent(), 0.0);
}

void TestCTree::joinFree()
{
    Details ds;
    Detail *a = ds.add(1000, 500);
    auto root = halfSheet(a);
    root->RemoveDetail(a);
    CTree *corner = root->Piece.get();
    corner->Panel = panel(7);
    root->Below->Panel = panel(8);

    // To the right the neighbour is 1000 high, the corner 500: no match.
    RecordingHook hook;
    QCOMPARE(CTree::FindNeighbour(*root, *corner, CTree::ToRight), nullptr);
    QVERIFY(!root->JoinFree(CTree::ToRight, panel(7), &hook));
    QCOMPARE(corner->Width, 1000);
    QVERIFY(root->Right);
    QVERIFY(hook.destroyed.empty());

    QCOMPARE(CTree::FindNeighbour(*root, *corner, CTree::ToBelow), root->Below.get());
    QVERIFY(root->JoinFree(CTree::ToBelow, panel(7), &hook));
    QCOMPARE(corner->Height, 500 + 4 + 496);
    QVERIFY(!root->Below);
    QCOMPARE(hook.destroyed, (std::vector<void *>{panel(7), panel(8)}));
    QCOMPARE(corner->Panel, nullptr);

    // Now as high as the right area: the two join across the cut.
    corner->Panel = panel(9);
    QVERIFY(root->JoinFree(CTree::ToRight, panel(9), &hook));
    QCOMPARE(corner->Width, 2000);
    QVERIFY(!root->Right);
    QCOMPARE(root->SumLeafArea(), 2000.0 * 1000);
}

void TestCTree::rightChain()
{
    Details ds;
    auto root = CTree::NewSheet(2800, 2000, 4, "M");
    root->Fill({ds.add(1500, 2000), ds.add(900, 2000)});
    // 2800 - 1504 - 904 = 392 mm of free end.
    QCOMPARE(root->LastRightFree(), 392);
    QCOMPARE(root->Right->LastRightFree(), 392);

    root->ShrinkRight(*root, 300);
    QCOMPARE(root->Width, 2500);
    QCOMPARE(root->LastRightFree(), 92);
    root->ShrinkRight(*root, 92);
    QCOMPARE(root->Width, 2408);
    QVERIFY(!root->Right->Right); // the free end is gone
    QCOMPARE(root->LastRightFree(), 0);
    root->ShrinkRight(*root, 50); // ends in a detail: nothing to shorten
    QCOMPARE(root->Width, 2408);
}

void TestCTree::deepMapsNeedNoRecursion()
{
    // Zero-length details and no saw make every piece open a new right area
    // of the same size: a chain one node deeper per detail. Walks, copies,
    // comparisons and deletion must not use the call stack per level.
    constexpr int Depth = 200000;
    std::vector<Detail> records(Depth);
    std::vector<Detail *> list;
    for (Detail &d : records) {
        d.Height = 10;
        list.push_back(&d);
    }
    auto root = CTree::NewSheet(10, 10, 0, "M");
    root->Fill(list);
    QVERIFY(records.back().IsPlaced);
    QCOMPARE(root->CutCount(), Depth);
    QCOMPARE(root->SumLeafArea(), 100.0);
    QCOMPARE(root->LastRightFree(), 10);
    std::unique_ptr<CTree> copy = root->Clone(nullptr);
    QVERIFY(SameLayout(*root, *copy));
    std::vector<Detail *> items;
    copy->CollectDetails(items);
    QCOMPARE(int(items.size()), Depth);
    root->ReleaseDetails();
    QVERIFY(!records.front().IsPlaced && !records.back().IsPlaced);
    root.reset();
    copy.reset();
}

QTEST_APPLESS_MAIN(TestCTree)
#include "tst_ctree.moc"
