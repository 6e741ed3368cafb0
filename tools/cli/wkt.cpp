#include "wkt.h"

#include "errors.h"
#include "io.h"

#include <cctype>
#include <cmath>

namespace zcli {

namespace {

class WktReader {
public:
    explicit WktReader(std::string_view text) : text_(text) {}

    std::vector<WktRing> Read()
    {
        const std::string keyword = Keyword();
        if (keyword == "POLYGON")
            ReadPolygon();
        else if (keyword == "MULTIPOLYGON")
            ReadMultiPolygon();
        else
            Fail(keyword.empty() ? "expected POLYGON or MULTIPOLYGON"
                                 : "unsupported geometry " + keyword + " (expected POLYGON or MULTIPOLYGON)");
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ';')
            ++pos_;
        SkipBlanks();
        if (pos_ != text_.size())
            Fail("unexpected text after the geometry");
        return std::move(rings_);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw InputError("malformed WKT at offset " + std::to_string(pos_) + ": " + what);
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    std::string Keyword()
    {
        SkipBlanks();
        std::string word;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])))
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_++])));
        return word;
    }

    bool Peek(char c)
    {
        SkipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    void Expect(char c)
    {
        if (!Peek(c))
            Fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    // "EMPTY" in place of a parenthesised body.
    bool Empty()
    {
        SkipBlanks();
        const std::size_t start = pos_;
        if (Keyword() == "EMPTY")
            return true;
        pos_ = start;
        return false;
    }

    double Number()
    {
        SkipBlanks();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) &&
               text_[pos_] != ',' && text_[pos_] != ')' && text_[pos_] != '(')
            ++pos_;
        double value = 0;
        if (start == pos_ || !ParseNumber(text_.substr(start, pos_ - start), value)) {
            pos_ = start;
            Fail("expected a number");
        }
        if (!std::isfinite(value)) {
            pos_ = start;
            Fail("coordinate is not a finite number");
        }
        return value;
    }

    void ReadRing(bool hole)
    {
        const std::size_t start = pos_;
        Expect('(');
        WktRing ring;
        ring.hole = hole;
        do {
            const double x = Number();
            const double y = Number();
            ring.points.emplace_back(x, y);
        } while (Peek(',') && (++pos_, true));
        Expect(')');
        auto& pts = ring.points;
        if (pts.size() > 1 && pts.front().x == pts.back().x && pts.front().y == pts.back().y)
            pts.pop_back();
        std::size_t distinct = 0;
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (i == 0 || pts[i].x != pts[i - 1].x || pts[i].y != pts[i - 1].y)
                ++distinct;
        if (distinct < 3) {
            pos_ = start;
            Fail("a ring needs at least three distinct vertices");
        }
        rings_.push_back(std::move(ring));
    }

    void ReadPolygon()
    {
        if (Empty())
            return;
        Expect('(');
        bool hole = false;
        do {
            ReadRing(hole);
            hole = true;
        } while (Peek(',') && (++pos_, true));
        Expect(')');
    }

    void ReadMultiPolygon()
    {
        if (Empty())
            return;
        Expect('(');
        do
            ReadPolygon();
        while (Peek(',') && (++pos_, true));
        Expect(')');
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<WktRing> rings_;
};

void AppendRing(std::string& out, const std::vector<S2D::Point>& ring)
{
    if (ring.empty())
        return;
    out += '(';
    for (std::size_t i = 0; i <= ring.size(); ++i) {
        const S2D::Point& p = ring[i % ring.size()];
        if (i)
            out += ", ";
        out += FormatNumber(p.x);
        out += ' ';
        out += FormatNumber(p.y);
    }
    out += ')';
}

} // namespace

std::vector<WktRing> ParseWkt(std::string_view text)
{
    return WktReader(text).Read();
}

std::string FormatWkt(const std::vector<WktPolygon>& polygons)
{
    std::string out = "MULTIPOLYGON ";
    if (polygons.empty())
        return out + "EMPTY";
    out += '(';
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        if (i)
            out += ", ";
        out += '(';
        bool first = true;
        for (const auto& ring : polygons[i]) {
            if (ring.empty())
                continue;
            if (!first)
                out += ", ";
            first = false;
            AppendRing(out, ring);
        }
        out += ')';
    }
    return out + ')';
}

} // namespace zcli
