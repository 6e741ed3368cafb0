#include <zeltmath/numeric/detail/fft_factor.h>

#include <cmath>

namespace zeltmath {
namespace detail {

FftFactors FactorFftLength(int n)
{
    FftFactors out;
    if (n <= 1) {
        out.count = 1;
        out.factor[0] = 1;
        return out;
    }
    int found[32];
    int count = 0;
    int rest = n;
    static const int kRadices[] = {10, 8, 5, 4, 3, 2};
    for (int radix : kRadices) {
        while (rest % radix == 0) {
            rest /= radix;
            found[count++] = radix;
        }
    }
    // 8 * 2 is transformed faster as 4 * 4: the last 8 and the final 2 both
    // become 4.
    if (count > 0 && found[count - 1] == 2) {
        for (int i = count - 2; i >= 0; --i) {
            if (found[i] == 8) {
                found[i] = 4;
                found[count - 1] = 4;
                break;
            }
        }
    }
    if (rest > 1) {
        int j = 2;
        while (j < std::sqrt(static_cast<double>(rest)) + 1.0) {
            while (rest % j == 0) {
                rest /= j;
                found[count++] = j;
            }
            ++j;
        }
        if (rest > 1)
            found[count++] = rest;
    }
    out.count = count;
    for (int i = 0; i < count; ++i)
        out.factor[i] = found[count - 1 - i];
    return out;
}

} // namespace detail
} // namespace zeltmath
