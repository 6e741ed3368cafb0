#ifndef ZELTMATH_DETAIL_MATRIX_STACK_H
#define ZELTMATH_DETAIL_MATRIX_STACK_H

#include <deque>

namespace zeltmath {
namespace detail {

// The stack rules that the planar and the spatial matrix stacks share.  The
// deque holds an identity base at the front that is never removed and not
// counted.

// Pushes m itself when combine is 0, else m * top (m applied first) when
// before is set, or top * m when it is not.  The new matrix is formed before
// the push, so m and top may be the current top.
template <class M>
void PushMatrix(std::deque<M>& stack, const M& m, const M& top, unsigned char combine, unsigned char before)
{
    M next = !combine ? M(m) : (before ? m * top : top * m);
    stack.push_back(next);
}

template <class M>
void PopMatrix(std::deque<M>& stack)
{
    if (stack.size() > 1)
        stack.pop_back();
}

template <class M>
int CountAboveBase(const std::deque<M>& stack)
{
    return static_cast<int>(stack.size()) - 1;
}

} // namespace detail
} // namespace zeltmath

#endif
