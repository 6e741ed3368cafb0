// The order of the virtual operations is part of the binary interface that
// derived classes of the applications rely on.  With the Itanium C++ ABI a
// pointer to a virtual member function holds 1 + the byte offset of its entry
// in the table, and the destructor takes the first two entries.
#include <zeltmath/s3d/matrix.h>
#include <zeltmath/s3d/point.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#if defined(__GNUC__) && !defined(_WIN32)

using S3D::Matrix;
using S3D::MatrixStack;
using S3D::Point;
using S3D::Vector;

namespace {

template <typename P>
std::ptrdiff_t Slot(P pm)
{
    static_assert(sizeof(P) == 2 * sizeof(std::ptrdiff_t), "Itanium member pointer");
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &pm, sizeof raw);
    // Entry index minus one for the second destructor entry.
    return (raw[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)) - 1;
}

struct PointAccess : Point {
    static auto Init() { return &PointAccess::Initialize; }
};
struct MatrixAccess : Matrix {
    static auto Update() { return &MatrixAccess::InternalUpdate; }
    static auto Init() { return &MatrixAccess::Initialize; }
};

TEST(S3DVirtualTable, PointAndVector)
{
    using D = double& (Point::*)();
    using CD = const double& (Point::*)() const;
    using PS = Point& (Point::*)(double);
    using PP = Point& (Point::*)(const Point&);
    EXPECT_EQ(Slot(&Point::SetPoint), 1);
    EXPECT_EQ(Slot(static_cast<CD>(&Point::V1)), 2);
    EXPECT_EQ(Slot(static_cast<D>(&Point::V1)), 3);
    EXPECT_EQ(Slot(static_cast<CD>(&Point::V2)), 4);
    EXPECT_EQ(Slot(static_cast<D>(&Point::V2)), 5);
    EXPECT_EQ(Slot(static_cast<CD>(&Point::V3)), 6);
    EXPECT_EQ(Slot(static_cast<D>(&Point::V3)), 7);
    EXPECT_EQ(Slot(&Point::GetV123), 8);
    EXPECT_EQ(Slot(&Point::SetV123), 9);
    EXPECT_EQ(Slot(static_cast<unsigned char (Point::*)(const Point&, double) const>(&Point::IsEqual)), 10);
    EXPECT_EQ(Slot(&Point::Distance), 11);
    EXPECT_EQ(Slot(&Point::IsDistMore), 12);
    EXPECT_EQ(Slot(&Point::GetLength), 13);
    EXPECT_EQ(Slot(&Point::GetLengthSqr), 14);
    EXPECT_EQ(Slot(static_cast<PS>(&Point::operator+=)), 15);
    EXPECT_EQ(Slot(static_cast<PP>(&Point::operator+=)), 16);
    EXPECT_EQ(Slot(static_cast<PS>(&Point::operator-=)), 17);
    EXPECT_EQ(Slot(static_cast<PP>(&Point::operator-=)), 18);
    EXPECT_EQ(Slot(&Point::operator*=), 19);
    EXPECT_EQ(Slot(&Point::operator/=), 20);
    EXPECT_EQ(Slot(&Point::operator==), 21);
    EXPECT_EQ(Slot(&Point::operator<), 22);
    EXPECT_EQ(Slot(&Point::operator<=), 23);
    EXPECT_EQ(Slot(&Point::operator>), 24);
    EXPECT_EQ(Slot(&Point::operator>=), 25);
    EXPECT_EQ(Slot(PointAccess::Init()), 26);
    EXPECT_EQ(Slot(static_cast<Vector& (Vector::*)(const Vector&)>(&Vector::SetVector)), 27);
    EXPECT_EQ(Slot(static_cast<Vector& (Vector::*)(const Point&, const Point&)>(&Vector::SetVector)), 28);
    EXPECT_EQ(Slot(&Vector::Normalize), 29);
}

TEST(S3DVirtualTable, MatrixAndStack)
{
    using M = Matrix;
    EXPECT_EQ(Slot(static_cast<M& (M::*)(const double (*)[4])>(&M::SetMatrix)), 1);
    EXPECT_EQ(Slot(static_cast<M& (M::*)(const M&)>(&M::SetMatrix)), 2);
    EXPECT_EQ(Slot(&M::SetDiagonal), 3);
    EXPECT_EQ(Slot(&M::Set1), 4);
    EXPECT_EQ(Slot(&M::Set0), 5);
    EXPECT_EQ(Slot(&M::GetV), 6);
    EXPECT_EQ(Slot(&M::SetV), 7);
    EXPECT_EQ(Slot(&M::operator+=), 8);
    EXPECT_EQ(Slot(&M::operator-=), 9);
    EXPECT_EQ(Slot(static_cast<M& (M::*)(double)>(&M::operator*=)), 10);
    EXPECT_EQ(Slot(static_cast<M& (M::*)(const M&)>(&M::operator*=)), 11);
    EXPECT_EQ(Slot(&M::operator/=), 12);
    EXPECT_EQ(Slot(static_cast<void (M::*)(const Point*, Point*, int) const>(&M::Transform)), 13);
    EXPECT_EQ(Slot(static_cast<void (M::*)(Point*, int) const>(&M::Transform)), 14);
    EXPECT_EQ(Slot(static_cast<void (M::*)(const Point*, const Point*, Point*) const>(&M::Transform)), 15);
    EXPECT_EQ(Slot(static_cast<void (M::*)(Point*, Point*) const>(&M::Transform)), 16);
    EXPECT_EQ(Slot(static_cast<void (M::*)(const std::vector<Point>&, std::vector<Point>&) const>(&M::Transform)),
              17);
    EXPECT_EQ(Slot(static_cast<void (M::*)(std::vector<Point*>&) const>(&M::Transform)), 18);
    EXPECT_EQ(Slot(static_cast<void (M::*)(std::vector<Point>&) const>(&M::Transform)), 19);
    EXPECT_EQ(Slot(static_cast<Point (M::*)(const Point&) const>(&M::Transform)), 20);
    EXPECT_EQ(Slot(MatrixAccess::Update()), 21);
    EXPECT_EQ(Slot(MatrixAccess::Init()), 22);

    EXPECT_EQ(Slot(&MatrixStack::Push), 1);
    EXPECT_EQ(Slot(&MatrixStack::Pop), 2);
    EXPECT_EQ(Slot(&MatrixStack::Top), 3);
    EXPECT_EQ(Slot(&MatrixStack::Clear), 4);
    EXPECT_EQ(Slot(&MatrixStack::Size), 5);
}

} // namespace

#endif
