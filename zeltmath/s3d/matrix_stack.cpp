#include <zeltmath/s3d/matrix.h>

namespace S3D {

MatrixStack::MatrixStack() : stack_(1, Matrix())
{
}

MatrixStack::~MatrixStack() = default;

void MatrixStack::Push(const Matrix& m, unsigned char combine, unsigned char before)
{
    // The new top is computed before the push: m may be the current top.
    Matrix next = !combine ? m : (before ? m * Top() : Top() * m);
    stack_.push_back(next);
}

void MatrixStack::Pop()
{
    if (stack_.size() > 1)
        stack_.pop_back();
}

const Matrix& MatrixStack::Top() const
{
    return stack_.back();
}

void MatrixStack::Clear()
{
    while (stack_.size() > 1)
        stack_.pop_back();
}

int MatrixStack::Size() const
{
    return static_cast<int>(stack_.size()) - 1;
}

} // namespace S3D
