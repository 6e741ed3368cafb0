// Reading and writing the tool's text formats: well-known text for regions,
// two-column tables and number lists.

#include "cli/errors.h"
#include "cli/io.h"
#include "cli/table.h"
#include "cli/wkt.h"

#include <gtest/gtest.h>

#include <clocale>

using zcli::InputError;

TEST(Wkt, ReadsPolygonsWithHolesAndMultiPolygons)
{
    // Closed rings lose their repeated vertex; the first ring of a polygon is
    // outer, the rest are holes.  Keywords are case-insensitive.
    auto rings = zcli::ParseWkt("polygon ((0 0, 10 0, 10 10, 0 10, 0 0), (4 4, 6 4, 6 6, 4 6))");
    ASSERT_EQ(rings.size(), 2u);
    EXPECT_FALSE(rings[0].hole);
    EXPECT_TRUE(rings[1].hole);
    ASSERT_EQ(rings[0].points.size(), 4u);
    EXPECT_EQ(rings[0].points[2].x, 10);
    EXPECT_EQ(rings[1].points.size(), 4u);

    rings = zcli::ParseWkt(" MULTIPOLYGON (((0 0, 1 0, 1 1)), ((5 5, 6 5, 6 6, 5 5), (5.2 5.1, 5.8 5.1, 5.8 5.5)));\n");
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_FALSE(rings[0].hole);
    EXPECT_FALSE(rings[1].hole);
    EXPECT_TRUE(rings[2].hole);
    EXPECT_DOUBLE_EQ(rings[2].points[0].x, 5.2);
    EXPECT_DOUBLE_EQ(rings[2].points[2].y, 5.5);

    EXPECT_TRUE(zcli::ParseWkt("POLYGON EMPTY").empty());
    EXPECT_TRUE(zcli::ParseWkt("MULTIPOLYGON EMPTY").empty());
    EXPECT_EQ(zcli::ParseWkt("POLYGON((-1e3 +2,3.5E-1 4,5 -6))")[0].points[0].x, -1000);
}

TEST(Wkt, RejectsMalformedTextWithItsOffset)
{
    const char* bad[] = {
        "",                                        // nothing
        "LINESTRING (0 0, 1 1)",                   // not a region
        "POLYGON ((0 0, 1 0, 1 1)",                // unbalanced
        "POLYGON ((0 0, 1 0, 1 x))",               // not a number
        "POLYGON ((0 0, 1 0, 1 1)) trailing",      // extra text
        "POLYGON ((0 0, 1 0, 0 0))",               // two distinct vertices
        "POLYGON ((0 0, 1 0, 1 nan))",             // not finite
        "POLYGON ((0 0, 1 0, inf 1))",
        "POLYGON ((0 0 0, 1 0 0, 1 1 0))",         // three coordinates
        "MULTIPOLYGON ((0 0, 1 0, 1 1))",          // one level of parentheses short
    };
    for (const char* text : bad) {
        try {
            zcli::ParseWkt(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find("malformed WKT at offset"), std::string::npos) << e.what();
        }
    }
    try {
        zcli::ParseWkt("POLYGON ((0 0, 1 0, 1 x))");
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("offset 22"), std::string::npos) << e.what();
    }
}

TEST(Wkt, WritesClosedRingsThatReadBack)
{
    const std::vector<zcli::WktPolygon> polygons = {
        {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{4, 4}, {4, 6}, {6, 6}, {6, 4}}},
        {{{20, 0.1}, {21, 0}, {20.5, 1e-7}}},
    };
    const std::string text = zcli::FormatWkt(polygons);
    EXPECT_EQ(text.substr(0, 50), "MULTIPOLYGON (((0 0, 10 0, 10 10, 0 10, 0 0), (4 4");
    const auto rings = zcli::ParseWkt(text);
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_TRUE(rings[1].hole);
    EXPECT_EQ(rings[2].points[0].y, 0.1);   // shortest round-trip form
    EXPECT_EQ(rings[2].points[2].y, 1e-7);
    EXPECT_EQ(zcli::FormatWkt({}), "MULTIPOLYGON EMPTY");
}

TEST(Table, ReadsSeparatorsHeadersAndComments)
{
    const auto points = zcli::ParseTable("x,y\n# comment\n0,1\n\n1.5;2\n2\t-3\n 3  4 \r\n", "d.csv");
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].x, 1.5);
    EXPECT_EQ(points[2].y, -3);
    EXPECT_EQ(points[3].y, 4);

    try {
        zcli::ParseTable("0,1\n1,abc\n", "d.csv");
        ADD_FAILURE();
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "d.csv:2: expected two numbers x,y");
    }
    EXPECT_THROW(zcli::ParseTable("x,y\n1,2,3\n", "d.csv"), InputError);

    EXPECT_EQ(zcli::ParseNumberList("0, 2.5 ,10", "n"), (std::vector<double>{0, 2.5, 10}));
    EXPECT_THROW(zcli::ParseNumberList("1,,2", "n"), InputError);
    EXPECT_THROW(zcli::ParseNumberList("1,two", "n"), InputError);
}

TEST(Numbers, IgnoreTheProcessLocale)
{
    // A host that switched to a comma locale still reads and writes points.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    double v = 0;
    EXPECT_TRUE(zcli::ParseNumber("1.5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_FALSE(zcli::ParseNumber("1,5", v));
    EXPECT_EQ(zcli::FormatNumber(0.1), "0.1");
    EXPECT_EQ(zcli::FormatNumber(-0.0), "0");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
