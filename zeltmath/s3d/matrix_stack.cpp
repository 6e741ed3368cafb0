#include <zeltmath/s3d/matrix.h>

#include <zeltmath/detail/matrix_stack.h>

namespace S3D {

namespace md = zeltmath::detail;

MatrixStack::MatrixStack() : stack_(1)
{
}

MatrixStack::~MatrixStack() = default;

void MatrixStack::Push(const Matrix& m, unsigned char combine, unsigned char before)
{
    md::PushMatrix(stack_, m, Top(), combine, before);
}

void MatrixStack::Pop()
{
    md::PopMatrix(stack_);
}

const Matrix& MatrixStack::Top() const
{
    return stack_.back();
}

void MatrixStack::Clear()
{
    while (Size() > 0)
        Pop();
}

int MatrixStack::Size()
{
    return md::CountAboveBase(stack_);
}

} // namespace S3D
