#include <zeltmath/numeric/gauss.h>

#include <cmath>
#include <cstddef>
#include <utility>

bool Gauss(int n, double* A, int m, double* B)
{
    if (n < 1 || m < 1 || !A || !B)
        return false;
    const std::size_t N = static_cast<std::size_t>(n);
    const std::size_t M = static_cast<std::size_t>(m);
    auto a = [A, N](std::size_t r, std::size_t c) -> double& { return A[r * N + c]; };
    auto b = [B, N](std::size_t k, std::size_t r) -> double& { return B[k * N + r]; };

    for (std::size_t i = 0; i < N; ++i) {
        std::size_t p = i;
        for (std::size_t r = i + 1; r < N; ++r) {
            if (std::fabs(a(r, i)) > std::fabs(a(p, i)))
                p = r;
        }
        if (p != i) {
            for (std::size_t c = i; c < N; ++c)
                std::swap(a(p, c), a(i, c));
            for (std::size_t k = 0; k < M; ++k)
                std::swap(b(k, p), b(k, i));
        }
        const double pivot = a(i, i);
        if (pivot == 0.0)
            return false;
        for (std::size_t c = i; c < N; ++c)
            a(i, c) /= pivot;
        for (std::size_t k = 0; k < M; ++k)
            b(k, i) /= pivot;
        for (std::size_t r = i + 1; r < N; ++r) {
            const double f = a(r, i);
            for (std::size_t c = i + 1; c < N; ++c)
                a(r, c) -= f * a(i, c);
            for (std::size_t k = 0; k < M; ++k)
                b(k, r) -= f * b(k, i);
        }
    }
    for (std::size_t i = N - 1; i >= 1; --i) {
        for (std::size_t r = 0; r < i; ++r) {
            const double f = a(r, i);
            for (std::size_t k = 0; k < M; ++k)
                b(k, r) -= f * b(k, i);
        }
    }
    return true;
}
