#include "platform/gdi/Colour.h"
#include "platform/gdi/Rect.h"
#include "platform/win/Object.h"

#include <gtest/gtest.h>

TEST(Rect, RightAndBottomAreExclusive)
{
    const CRect r(10, 20, 30, 25);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 24)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 24)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 25)));
    // The Qt rectangle covers the same pixels: x 10..29, y 20..24.
    const QRect q = r.ToQRect();
    EXPECT_EQ(q.left(), 10);
    EXPECT_EQ(q.right(), 29);
    EXPECT_EQ(q.bottom(), 24);
    EXPECT_EQ(CRect(q), r);
}

TEST(Rect, EmptinessAndSetOperations)
{
    struct Case {
        CRect r;
        bool empty;
    };
    const Case cases[] = {
        {CRect(0, 0, 0, 0), true}, {CRect(0, 0, 1, 1), false}, {CRect(5, 5, 4, 9), true}, {CRect(5, 5, 9, 5), true}};
    for (const Case& c : cases)
        EXPECT_EQ(c.r.IsRectEmpty(), c.empty) << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom;

    CRect out;
    // Touching rectangles do not intersect; the result is all zero.
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 3, 20, 8)));
    EXPECT_EQ(out, CRect(5, 3, 10, 8));
    // An empty operand does not widen a union.
    EXPECT_TRUE(out.UnionRect(CRect(2, 2, 4, 4), CRect(50, 50, 50, 60)));
    EXPECT_EQ(out, CRect(2, 2, 4, 4));

    CRect r(10, 10, 20, 20);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(11, 12, 17, 16));
    r.OffsetRect(-11, -12);
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
    r.BottomRight() = CPoint(3, 3);
    EXPECT_EQ(r, CRect(0, 0, 3, 3));
}

TEST(Colour, ColorrefIsBlueGreenRed)
{
    EXPECT_EQ(RGB(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412u);
    const QColor c = ToQColor(0xC0C0C0);
    EXPECT_EQ(c, QColor(192, 192, 192));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(FromQRgb(qRgb(1, 2, 3)), RGB(1, 2, 3));
}

namespace {
class CThing : public CObject {
    DECLARE_DYNCREATE(CThing)
public:
    virtual int Kind() const { return 1; }
};
class CSpecialThing : public CThing {
    DECLARE_DYNCREATE(CSpecialThing)
public:
    int Kind() const override { return 2; }
};
class CAbstractThing : public CObject {
    DECLARE_DYNAMIC(CAbstractThing)
};
IMPLEMENT_DYNCREATE(CThing, CObject)
IMPLEMENT_DYNCREATE(CSpecialThing, CThing)
IMPLEMENT_DYNAMIC(CAbstractThing, CObject)
} // namespace

TEST(RuntimeClass, CreatesByRecordAndKnowsAncestry)
{
    std::unique_ptr<CObject> obj(RUNTIME_CLASS(CSpecialThing)->CreateObject());
    ASSERT_TRUE(obj);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CThing)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(obj->IsKindOf(RUNTIME_CLASS(CAbstractThing)));
    EXPECT_EQ(static_cast<CThing*>(obj.get())->Kind(), 2);
    EXPECT_FALSE(RUNTIME_CLASS(CThing)->IsDerivedFrom(RUNTIME_CLASS(CSpecialThing)));
    EXPECT_EQ(RUNTIME_CLASS(CAbstractThing)->CreateObject(), nullptr);
    EXPECT_STREQ(RUNTIME_CLASS(CSpecialThing)->m_lpszClassName, "CSpecialThing");
}
