#include <zeltmath/s2d/polygon.h>
#include <zeltmath/s2d/views.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

using S2D::Point;
using S2D::Polygon;

namespace {

// Any container with element access by index can be viewed.
struct Names {
    std::vector<std::string> items;
    const std::string& operator[](unsigned i) const { return items[i]; }
    std::string& operator[](unsigned i) { return items[i]; }
};

using NameView = S2D::GenericEnumeration<std::string, Names, unsigned>;
using NameSlice = S2D::GenericSlice<std::string, Names, unsigned>;

Polygon Square()
{
    return Polygon(std::vector<Point>{Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1)});
}

TEST(Views, EnumerationPicksErasesAndInserts)
{
    const Polygon square = Square();
    S2D::PolygonVertices view = square[std::vector<unsigned>{2, 0}];
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view[0], Point(1, 1));
    EXPECT_EQ(view[1], Point(0, 0));
    EXPECT_EQ(view.base(), &square);

    view.erase(0);
    ASSERT_EQ(view.size(), 1u);
    EXPECT_EQ(view[0], Point(0, 0));
    EXPECT_EQ(square, Square());  // the polygon is not touched

    view.insert(1, 3);
    view.insert(0, 3);  // repetitions are allowed
    const std::vector<unsigned> expected{3, 0, 3};
    EXPECT_EQ(view.index(), expected);
    std::vector<Point> seen(view.begin(), view.end());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], Point(0, 1));
    EXPECT_EQ(seen[1], Point(0, 0));
    EXPECT_EQ(seen[2], Point(0, 1));

    // From a range of indices; the default view is empty.
    const unsigned picks[] = {1, 2, 3};
    const S2D::PolygonVertices ranged(&square, picks, picks + 3);
    EXPECT_EQ(ranged.size(), 3u);
    EXPECT_EQ(ranged[2], Point(0, 1));
    const S2D::PolygonVertices none;
    EXPECT_EQ(none.size(), 0u);
    EXPECT_EQ(none.base(), nullptr);
    EXPECT_TRUE(none.begin() == none.end());
}

TEST(Views, EqualityAndOrder)
{
    const Names a{{"a", "b", "c"}};
    const Names b{{"a", "b", "c"}};
    const NameView a01(&a, {0, 1});
    const NameView a02(&a, {0, 2});
    const NameView a0(&a, {0});
    const NameView b01(&b, {0, 1});

    EXPECT_TRUE(a01 == NameView(&a, {0, 1}));
    EXPECT_FALSE(a01 == b01);  // same indices, other container
    EXPECT_FALSE(a01 < b01);
    EXPECT_FALSE(b01 < a01);
    EXPECT_TRUE(a01 < a02);   // first differing entry decides
    EXPECT_FALSE(a02 < a01);
    EXPECT_TRUE(a0 < a01);    // a proper prefix is less
    EXPECT_FALSE(a01 < a0);
    EXPECT_FALSE(a01 < a01);

    NameView copy;
    copy = a02;
    EXPECT_TRUE(copy == a02);
    EXPECT_EQ(copy[1], "c");
}

TEST(Views, SliceWritesThePickedVertices)
{
    Polygon square = Square();
    S2D::PolygonVertexSlice slice = square[std::vector<unsigned>{0, 2}];
    slice = Point(5, 5);
    EXPECT_EQ(square[0], Point(5, 5));
    EXPECT_EQ(square[1], Point(1, 0));
    EXPECT_EQ(square[2], Point(5, 5));
    EXPECT_EQ(square[3], Point(0, 1));

    // A shorter vector moves only the first picked vertex.
    slice = std::vector<Point>{Point(7, 7)};
    EXPECT_EQ(square[0], Point(7, 7));
    EXPECT_EQ(square[2], Point(5, 5));
    // A longer one stops at the size of the view.
    slice = std::vector<Point>{Point(1, 1), Point(2, 2), Point(3, 3)};
    EXPECT_EQ(square[0], Point(1, 1));
    EXPECT_EQ(square[2], Point(2, 2));
    EXPECT_EQ(square.Size(), 4u);

    slice[1].x = -1;
    EXPECT_EQ(square[2], Point(-1, 2));
}

TEST(Views, SliceIteratorsAreRandomAccess)
{
    Names names{{"d", "b", "a", "c"}};
    NameSlice slice(&names, {3, 1, 0});  // "c", "b", "d"
    auto first = slice.begin();
    auto last = slice.end();
    EXPECT_EQ(last - first, 3);
    EXPECT_EQ(first[2], "d");
    EXPECT_EQ(*(first + 1), "b");
    EXPECT_EQ(*(last - 1), "d");
    EXPECT_TRUE(first < last);

    // Sorting through the view permutes the picked elements only.
    std::sort(slice.begin(), slice.end());
    EXPECT_EQ(names.items, (std::vector<std::string>{"d", "c", "a", "b"}));
    std::reverse(slice.begin(), slice.end());
    EXPECT_EQ(names.items, (std::vector<std::string>{"b", "c", "a", "d"}));

    // A const slice reads through the input iterators of the enumeration.
    const NameSlice& constant = slice;
    const std::string joined = std::accumulate(constant.begin(), constant.end(), std::string());
    EXPECT_EQ(joined, "dcb");

    NameSlice copy(slice);
    copy = std::string("x");
    EXPECT_EQ(names.items, (std::vector<std::string>{"x", "x", "a", "x"}));
}

} // namespace
