#ifndef ZELTMATH_COMPLEX_MULLER_H
#define ZELTMATH_COMPLEX_MULLER_H
/// \file
/// All roots of a polynomial by Muller's method.

#include <zeltmath/base/export.h>
#include <zeltmath/complex/dcomplex.h>

/// All roots of a polynomial with complex or real coefficients by Muller's
/// method: each root is found on the parabola through the last three iterates,
/// polished by Newton's method on the full polynomial and divided out of the
/// working polynomial.  The roots of real polynomials come in conjugate pairs,
/// which are divided out together.
///
/// A polynomial of degree n is an array p[0..n] with p[i] the coefficient of
/// x^i.  The "flag" arguments are 1 for complex coefficients and 0 for real
/// ones.  The state of the running iteration lives in the object, so one object
/// serves one computation at a time.
///
/// Zero roots (vanishing low-order coefficients) are not split off in advance;
/// the iteration finds them like any other root.  A second Muller run, ordered
/// when the first ends on a poor point, starts from 1, -1 and 0 and continues
/// with the step and step ratio the first run ended with.
///
/// The class derives from dcomplex to reach its arithmetic; the inherited parts
/// play no role.  Every step is public, so a caller can drive the pieces; null
/// and muller fix the normal order of calls.
class ZELTMATH_API CZELTMuller : public dcomplex {
public:
    /// the last three iterates (x2 the newest) and the polynomial's values there
    dcomplex x0, x1, x2;
    dcomplex f0, f1, f2;
    dcomplex h1;  ///< x1 - x0 at start-up
    dcomplex h2;  ///< the latest step x2 - x1
    dcomplex q2;  ///< new step / previous step
    int iter;     ///< function evaluations of the current Muller run

    /// Every complex field (0, 0); the iteration count is set when a run starts.
    CZELTMuller();
    /// A copy of every field, the running state included.
    CZELTMuller(const CZELTMuller& other);
    /// Copies every field, the running state included.
    CZELTMuller& operator=(const CZELTMuller& other);
    /// Virtual, so that derived objects are destroyed completely.
    virtual ~CZELTMuller();

    /// The real roots of the real polynomial coef[0..n]: every root whose
    /// imaginary part is below 1e-8 in magnitude goes to roots[0..nRoots-1] in
    /// the order of null's root array.  Returns 0, or 1 when null reports a
    /// negative degree, a zero polynomial or a non-zero constant (nRoots is then
    /// 0), and for null arrays.  roots needs room for n values.  Degrees above
    /// 19 are accepted too (the work arrays grow with n).
    static int StepMuller(int n, double* coef, int& nRoots, double* roots);

    /// All roots of p[0..*n] into root[0..*n-1]; pred receives the working
    /// copies (*n + 1 entries).  Leading zero coefficients lower the degree,
    /// which is written back through n; p is scaled in place so that its
    /// leading coefficient has modulus 1 (from degree 3 on).  *maxerr receives
    /// the largest relative Newton correction of the roots (machine epsilon for
    /// degree 1 and 2, which are solved directly).  Returns 0, 1 for a negative
    /// degree (or null arrays), 2 for a zero polynomial, 3 for a non-zero
    /// constant.
    unsigned char null(dcomplex* p, dcomplex* pred, int* n, dcomplex* root, double* maxerr,
                       unsigned char flag);
    /// The degree check of null; the root array is not used.
    unsigned char poly_check(dcomplex* pred, int* nred, int* n, dcomplex* root);
    /// Solves degree 1 and 2 into root[0] (and root[1]) and returns 0; any
    /// other degree returns 1.
    unsigned char lin_or_quad(dcomplex* pred, int nred, dcomplex* root);
    /// (-b + sqrt(d)) / 2a into root[0], (-b - sqrt(d)) / 2a into root[1].
    void quadratic(dcomplex* pred, dcomplex* root);
    /// Scales p[0..*n] so that the leading coefficient has modulus 1.
    void monic(dcomplex* pred, int* n);
    /// One root of pred[0..n] (n >= 1).
    dcomplex muller(dcomplex* pred, int n);
    /// Start values of a run: the first three iterates, their steps, xb and the acceptance tolerance.
    void initialize(dcomplex* pred, dcomplex* xb, double* epsilon);
    /// The new step ratio q2 from the parabola through the last three iterates.
    void root_of_parabola();
    /// The new iterate x2, the step limited to 1000 times the previous one; *h2abs receives the step's modulus.
    void iteration_equation(double* h2abs);
    /// The value f2 at the new iterate, pulling back huge iterates and halving diverging steps.
    void compute_function(dcomplex* pred, int n, double f1absq, double* f2absq,
                          double epsilon);
    /// Pulls back an iterate whose modulus would make the polynomial overflow by halving the step.
    void suppress_overflow(int nred);
    /// The squared modulus of f2 into *f2absq, or |re| + |im| when the square could overflow.
    void too_big_functionvalues(double* f2absq);
    /// Halves a step whose function value grew a hundredfold; *overflow asks for another evaluation.
    void convergence_check(int* overflow, double f1absq, double f2absq, double epsilon);
    /// Handles stagnation, keeps the best point xb so far and accepts a root.
    void check_x_value(dcomplex* xb, double* f2absqb, int* rootd, double f1absq,
                       double f2absq, double epsilon, int* noise);
    /// After a run: orders a second run from 1, -1 and 0 when the best point is a poor root.
    void root_check(dcomplex* pred, int n, double f2absqb, int* seconditer, int* rootd,
                    int* noise, dcomplex xb);
    /// p(x) into *f by Horner's scheme, and p'(x) into *df when flag is 1.
    void fdvalue(dcomplex* p, int n, dcomplex* f, dcomplex* df, dcomplex x,
                 unsigned char flag);
    /// Newton polishing of ns against p[0..n]; *dxmax receives the relative
    /// size of the last accepted correction.
    dcomplex newton(dcomplex* p, int n, dcomplex ns, double* dxmax, unsigned char flag);
    /// Divides root[n-1] (with its conjugate root[n-2], for a complex root of a
    /// real polynomial) out of pred[0..n]; returns the number of roots removed.
    /// The quotient starts at pred[1] or pred[2].
    int poldef(dcomplex* pred, int n, dcomplex* root, unsigned char flag);
    /// Division by (z - x); the quotient is pred[1..n].
    void hornc(dcomplex* pred, int n, dcomplex x, unsigned char flag);
    /// Division of a real polynomial by z^2 - a z - b; the quotient is pred[2..n].
    void horncd(dcomplex* pred, int n, double a, double b);
    /** \var x1
    *   The middle of the last three iterates. */
    /** \var x2
    *   The newest iterate. */
    /** \var f0
    *   The polynomial's value at x0. */
    /** \var f1
    *   The polynomial's value at x1. */
    /** \var f2
    *   The polynomial's value at x2. */
};

#endif
