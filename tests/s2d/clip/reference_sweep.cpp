#include "reference_sweep.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <list>
#include <vector>

namespace reference {

namespace {

using S2D::clip::detail::RingView;
using S2D::clip::detail::Vertex;

enum { kClip = 0, kSubject = 1 };
enum { kAbove = 0, kBelow = 1 };
enum { kSingle = 0, kHead = 1, kTail = 2 };

bool LessTotal(double a, double b)
{
    return a < b || (b != b && a == a);
}

// ---- Output fragments --------------------------------------------------

struct Fragment {
    bool active = true;
    int hole = 0;
    std::list<Vertex> vertices;   // left end first
    Fragment* proxy = this;
};

class Output {
public:
    ~Output()
    {
        for (Fragment* f : list_)
            delete f;
    }
    Fragment* Create(double x, double y)
    {
        Fragment* f = new Fragment;
        f->vertices.push_back({x, y});
        list_.insert(list_.begin(), f);   // newest at the head
        return f;
    }
    static void AddLeft(Fragment* f, double x, double y)
    {
        if (f)
            f->proxy->vertices.push_front({x, y});
    }
    static void AddRight(Fragment* f, double x, double y)
    {
        if (f)
            f->proxy->vertices.push_back({x, y});
    }
    void MergeLeft(Fragment* p, Fragment* q)
    {
        if (!p || !q)
            return;
        q->proxy->hole = 1;
        if (p->proxy == q->proxy)
            return;
        q->proxy->vertices.splice(q->proxy->vertices.begin(), p->proxy->vertices);
        Redirect(p->proxy, q->proxy);
    }
    void MergeRight(Fragment* p, Fragment* q)
    {
        if (!p || !q)
            return;
        q->proxy->hole = 0;
        if (p->proxy == q->proxy)
            return;
        q->proxy->vertices.splice(q->proxy->vertices.end(), p->proxy->vertices);
        Redirect(p->proxy, q->proxy);
    }
    ContourSet Result() const
    {
        ContourSet out;
        for (const Fragment* f : list_) {
            if (!f->active || f->vertices.size() < 3)
                continue;
            bool finite = true;
            for (const Vertex& v : f->vertices)
                finite = finite && std::isfinite(v.x) && std::isfinite(v.y);
            if (!finite)
                continue;
            out.Add(std::vector<Vertex>(f->vertices.rbegin(), f->vertices.rend()), f->hole);
        }
        return out;
    }

private:
    void Redirect(Fragment* from, Fragment* to)
    {
        for (Fragment* f : list_)
            if (f->proxy == from) {
                f->active = false;
                f->proxy = to;
            }
    }
    std::vector<Fragment*> list_;
};

// ---- Edges and bounds --------------------------------------------------

struct Edge {
    Vertex bot, top;
    double xb, xt, dx;
    int type;
    int bundle[2][2] = {{0, 0}, {0, 0}};
    int bside[2];
    int bstate[2] = {kSingle, kSingle};
    Fragment* outp[2] = {nullptr, nullptr};
    Edge* prev = nullptr;
    Edge* next = nullptr;
    Edge* succ = nullptr;
};

struct LocalMinimum {
    double y;
    std::vector<Edge*> bounds;
};

struct Crossing {
    Edge* e0;
    Edge* e1;
    double x, y;
};

int Apply(Operation op, int a, int b)
{
    if (op == Operation::Union)
        return a || b;
    if (op == Operation::Xor)
        return a ^ b;
    return a && b;
}

class Engine {
public:
    explicit Engine(Operation op) : op_(op) {}
    ~Engine()
    {
        for (Edge* e : edges_)
            delete e;
    }
    void AddRing(RingView ring, int type);
    ContourSet Run();

private:
    Edge* NewEdge(const Vertex& bot, const Vertex& top, int type);
    void AddBound(Edge* first);
    void InsertActive(Edge* e);
    void Classify(double yb);
    void Cross(const Crossing& c, double yb);
    bool Adjacent(const Crossing& c) const;
    void Swap(Edge* e0, Edge* e1);

    Operation op_;
    std::vector<Edge*> edges_;
    std::vector<LocalMinimum> minima_;
    std::vector<double> beams_;
    Edge* aet_ = nullptr;
    int parity_[2] = {0, 0};
    Output out_;
};

Edge* Engine::NewEdge(const Vertex& bot, const Vertex& top, int type)
{
    Edge* e = new Edge;
    edges_.push_back(e);
    e->bot = bot;
    e->top = top;
    e->xb = e->xt = bot.x;
    e->dx = (top.x - bot.x) / (top.y - bot.y);
    e->type = type;
    e->bside[kClip] = op_ == Operation::Difference ? 1 : 0;
    e->bside[kSubject] = 0;
    return e;
}

void Engine::AddBound(Edge* first)
{
    const double y = first->bot.y;
    std::size_t i = 0;
    while (i < minima_.size() && minima_[i].y < y)
        ++i;
    if (i == minima_.size() || minima_[i].y != y)
        minima_.insert(minima_.begin() + i, LocalMinimum{y, {}});
    std::vector<Edge*>& b = minima_[i].bounds;
    std::size_t k = 0;
    while (k < b.size()
           && !(first->bot.x < b[k]->bot.x || (first->bot.x == b[k]->bot.x && LessTotal(first->dx, b[k]->dx))))
        ++k;
    b.insert(b.begin() + k, first);
}

void Engine::AddRing(RingView ring, int type)
{
    for (const Vertex& v : ring)
        if (!std::isfinite(v.x) || !std::isfinite(v.y))
            return;
    const std::size_t n = ring.size();
    std::vector<Vertex> kept;
    for (std::size_t i = 0; i < n; ++i)
        if (ring[(i + n - 1) % n].y != ring[i].y || ring[(i + 1) % n].y != ring[i].y)
            kept.push_back(ring[i]);
    const std::size_t m = kept.size();
    auto next = [m](std::size_t i) { return (i + 1) % m; };
    auto prev = [m](std::size_t i) { return (i + m - 1) % m; };
    for (std::size_t i = 0; i < m; ++i) {
        beams_.push_back(kept[i].y + 0.0);   // one value for -0 and +0: zero, as +0
        const double y = kept[i].y;
        for (int dir = 0; dir < 2; ++dir) {
            auto step = [&](std::size_t v) { return dir == 0 ? next(v) : prev(v); };
            auto back = [&](std::size_t v) { return dir == 0 ? prev(v) : next(v); };
            // Forward: prev >= y < next; reverse: next >= y < prev.
            if (!(kept[back(i)].y >= y && kept[step(i)].y > y))
                continue;
            Edge* first = nullptr;
            Edge* last = nullptr;
            std::size_t v = i;
            do {
                Edge* e = NewEdge(kept[v], kept[step(v)], type);
                (last ? last->succ : first) = e;
                last = e;
                v = step(v);
            } while (kept[step(v)].y > kept[v].y);
            AddBound(first);
        }
    }
}

void Engine::InsertActive(Edge* e)
{
    Edge* before = nullptr;
    Edge* at = aet_;
    while (at && !(e->xb < at->xb || (e->xb == at->xb && e->dx < at->dx))) {
        before = at;
        at = at->next;
    }
    e->prev = before;
    e->next = at;
    (before ? before->next : aet_) = e;
    if (at)
        at->prev = e;
}

void Engine::Classify(double yb)
{
    static const int kNextHorizontal[3][6] = {{1, 2, 2, 1, 0, 0}, {0, 0, 0, 0, 2, 2}, {0, 0, 0, 0, 1, 1}};
    int horiz[2] = {0, 0};
    double px = -DBL_MAX;
    Fragment* cf = nullptr;
    for (Edge* e = aet_; e; e = e->next) {
        int exists[2];
        for (int k = 0; k < 2; ++k)
            exists[k] = e->bundle[kAbove][k] + 2 * e->bundle[kBelow][k];
        if (!exists[kClip] && !exists[kSubject])
            continue;
        const int pc = parity_[kClip], ps = parity_[kSubject];
        const int hc = horiz[kClip] != 0, hs = horiz[kSubject] != 0;
        e->bside[kClip] = pc;
        e->bside[kSubject] = ps;
        const int exC = exists[kClip], exS = exists[kSubject];
        bool contributing;
        if (op_ == Operation::Xor)
            contributing = exC || exS;
        else if (op_ == Operation::Union)
            contributing = (exC && (!ps || hs)) || (exS && (!pc || hc)) || (exC && exS && pc == ps);
        else
            contributing = (exC && (ps || hs)) || (exS && (pc || hc)) || (exC && exS && pc == ps);
        const int aC = e->bundle[kAbove][kClip], aS = e->bundle[kAbove][kSubject];
        const int bC = e->bundle[kBelow][kClip], bS = e->bundle[kBelow][kSubject];
        const int br = Apply(op_, pc, ps);
        const int bl = Apply(op_, pc ^ aC, ps ^ aS);
        const int tr = Apply(op_, pc ^ hc, ps ^ hs);
        const int tl = Apply(op_, pc ^ hc ^ bC, ps ^ hs ^ bS);
        parity_[kClip] ^= aC;
        parity_[kSubject] ^= aS;
        for (int k = 0; k < 2; ++k)
            if (exists[k])
                horiz[k] = kNextHorizontal[horiz[k]][(exists[k] - 1) * 2 + parity_[k]];
        if (!contributing)
            continue;
        const double x = e->xb;
        const bool newX = x != px;
        Fragment*& above = e->outp[kAbove];
        Fragment*& below = e->outp[kBelow];
        switch (tr + 2 * tl + 4 * br + 8 * bl) {
        case 1:
            if (newX) {
                Output::AddLeft(cf, x, yb);
                px = x;
            }
            out_.MergeRight(cf, below);
            cf = nullptr;
            break;
        case 2:
            Output::AddLeft(below, x, yb);
            cf = below;
            px = x;
            break;
        case 4:
            if (newX) {
                Output::AddRight(cf, x, yb);
                px = x;
            }
            above = cf;
            cf = nullptr;
            break;
        case 5:
            if (e->bot.y == yb)
                Output::AddRight(below, x, yb);
            above = below;
            px = x;
            break;
        case 6:
            if (newX) {
                Output::AddRight(cf, x, yb);
                px = x;
            }
            out_.MergeLeft(cf, below);
            below = nullptr;
            above = cf = out_.Create(x, yb);
            break;
        case 7:
        case 8:
            above = cf = out_.Create(x, yb);
            px = x;
            break;
        case 9:
            if (newX) {
                Output::AddLeft(cf, x, yb);
                px = x;
            }
            out_.MergeRight(cf, below);
            below = nullptr;
            above = cf = out_.Create(x, yb);
            break;
        case 10:
            if (e->bot.y == yb)
                Output::AddLeft(below, x, yb);
            above = below;
            px = x;
            break;
        case 11:
            if (newX) {
                Output::AddLeft(cf, x, yb);
                px = x;
            }
            above = cf;
            cf = nullptr;
            break;
        case 13:
            Output::AddRight(below, x, yb);
            cf = below;
            px = x;
            below = nullptr;
            break;
        case 14:
            if (newX) {
                Output::AddRight(cf, x, yb);
                px = x;
            }
            out_.MergeLeft(cf, below);
            cf = nullptr;
            below = nullptr;
            break;
        default:
            break;
        }
    }
}

bool Engine::Adjacent(const Crossing& c) const
{
    const Edge* e = c.e0->next;
    while (e && e != c.e1 && e->bstate[kAbove] == kTail)
        e = e->next;
    return e == c.e1;
}

void Engine::Cross(const Crossing& c, double yb)
{
    Edge* e0 = c.e0;
    Edge* e1 = c.e1;
    const int* a0 = e0->bundle[kAbove];
    const int* a1 = e1->bundle[kAbove];
    if ((a0[kClip] || a0[kSubject]) && (a1[kClip] || a1[kSubject])) {
        Fragment* p = e0->outp[kAbove];
        Fragment* q = e1->outp[kAbove];
        const double ix = c.x, iy = c.y + yb;
        int in[2];
        for (int k = 0; k < 2; ++k)
            in[k] = (a0[k] && !e0->bside[k]) || (a1[k] && e1->bside[k])
                    || (!a0[k] && !a1[k] && e0->bside[k] && e1->bside[k]);
        const int tr = Apply(op_, in[kClip], in[kSubject]);
        const int tl = Apply(op_, in[kClip] ^ a1[kClip], in[kSubject] ^ a1[kSubject]);
        const int br = Apply(op_, in[kClip] ^ a0[kClip], in[kSubject] ^ a0[kSubject]);
        const int bl = Apply(op_, in[kClip] ^ a1[kClip] ^ a0[kClip], in[kSubject] ^ a1[kSubject] ^ a0[kSubject]);
        switch (tr + 2 * tl + 4 * br + 8 * bl) {
        case 1:
            if (p && q) {
                Output::AddLeft(p, ix, iy);
                out_.MergeRight(p, q);
                e0->outp[kAbove] = e1->outp[kAbove] = nullptr;
            }
            break;
        case 2:
            if (q) {
                Output::AddLeft(q, ix, iy);
                e0->outp[kAbove] = q;
                e1->outp[kAbove] = nullptr;
            }
            break;
        case 4:
            if (p) {
                Output::AddRight(p, ix, iy);
                e1->outp[kAbove] = p;
                e0->outp[kAbove] = nullptr;
            }
            break;
        case 6:
            if (p && q) {
                Output::AddRight(p, ix, iy);
                out_.MergeLeft(p, q);
                e0->outp[kAbove] = e1->outp[kAbove] = out_.Create(ix, iy);
            }
            break;
        case 7:
        case 8:
            e0->outp[kAbove] = e1->outp[kAbove] = out_.Create(ix, iy);
            break;
        case 9:
            if (p && q) {
                Output::AddLeft(p, ix, iy);
                out_.MergeRight(p, q);
                e0->outp[kAbove] = e1->outp[kAbove] = out_.Create(ix, iy);
            }
            break;
        case 11:
            if (p) {
                Output::AddLeft(p, ix, iy);
                e1->outp[kAbove] = p;
                e0->outp[kAbove] = nullptr;
            }
            break;
        case 13:
            if (q) {
                Output::AddRight(q, ix, iy);
                e0->outp[kAbove] = q;
                e1->outp[kAbove] = nullptr;
            }
            break;
        case 14:
            if (p && q) {
                Output::AddRight(p, ix, iy);
                out_.MergeLeft(p, q);
                e0->outp[kAbove] = e1->outp[kAbove] = nullptr;
            }
            break;
        default:
            break;
        }
    }
    for (int k = 0; k < 2; ++k) {
        const int f0 = e0->bundle[kAbove][k], f1 = e1->bundle[kAbove][k];
        if (f0)
            e1->bside[k] = !e1->bside[k];
        if (f1)
            e0->bside[k] = !e0->bside[k];
    }
    Swap(e0, e1);
}

void Engine::Swap(Edge* e0, Edge* e1)
{
    // e0's bundle (e0 with the tails to its left) moves to just after e1.
    Edge* first = e0;
    if (e0->bstate[kAbove] == kHead)
        while (first->prev && first->prev->bstate[kAbove] == kTail && first->prev != e1)
            first = first->prev;
    Edge* before = first->prev;
    Edge* after = e0->next;
    (before ? before->next : aet_) = after;
    if (after)
        after->prev = before;
    Edge* n = e1->next;
    e1->next = first;
    first->prev = e1;
    e0->next = n;
    if (n)
        n->prev = e0;
}

ContourSet Engine::Run()
{
    std::sort(beams_.begin(), beams_.end());
    beams_.erase(std::unique(beams_.begin(), beams_.end()), beams_.end());
    if (minima_.empty())
        return out_.Result();
    parity_[kClip] = op_ == Operation::Difference ? 1 : 0;
    parity_[kSubject] = 0;
    std::size_t lm = 0;
    for (std::size_t b = 0; b < beams_.size(); ++b) {
        const double yb = beams_[b];
        const bool above = b + 1 < beams_.size();
        const double yt = above ? beams_[b + 1] : yb;

        // 1. Bounds starting here join the active list.
        if (lm < minima_.size() && minima_[lm].y == yb) {
            for (Edge* e : minima_[lm].bounds)
                InsertActive(e);
            ++lm;
        }
        // 2. Bundles.
        Edge* e0 = nullptr;
        for (Edge* e = aet_; e; e = e->next) {
            const int continues = e->top.y != yb;
            e->bundle[kAbove][kClip] = e->bundle[kAbove][kSubject] = 0;
            e->bundle[kAbove][e->type] = continues;
            e->bstate[kAbove] = kSingle;
            if (!e0) {
                e0 = e;
                continue;
            }
            if (!continues)
                continue;
            if (std::fabs(e0->xb - e->xb) <= 1e-8 && std::fabs(e0->dx - e->dx) <= 1e-8 && e0->top.y != yb) {
                e->bundle[kAbove][e->type] = continues ^ e0->bundle[kAbove][e->type];
                e->bundle[kAbove][!e->type] = e0->bundle[kAbove][!e->type];
                e->bstate[kAbove] = kHead;
                e0->bundle[kAbove][kClip] = e0->bundle[kAbove][kSubject] = 0;
                e0->bstate[kAbove] = kTail;
            }
            e0 = e;
        }
        // 3. Classification and output.
        Classify(yb);
        // 4. Ended edges leave; the others get their x at yt.
        for (Edge* e = aet_; e; e = e->next) {
            if (e->top.y != yb)
                continue;
            Edge* prev = e->prev;
            Edge* next = e->next;
            (prev ? prev->next : aet_) = next;
            if (next)
                next->prev = prev;
            if (e->bstate[kBelow] == kHead && prev && prev->bstate[kBelow] == kTail) {
                prev->outp[kBelow] = e->outp[kBelow];
                prev->bstate[kBelow] = kSingle;
                if (prev->prev && prev->prev->bstate[kBelow] == kTail)
                    prev->bstate[kBelow] = kHead;
            }
        }
        for (Edge* e = aet_; e; e = e->next)
            e->xt = e->top.y == yt ? e->top.x : e->bot.x + e->dx * (yt - e->bot.y);
        if (!above)
            break;
        // 5. Crossings inside the beam: a list in descending xt from its
        // head (kept here in ascending order, the head at the back); an edge
        // crosses every entry it passes on the way to its place.
        std::vector<Edge*> sorted;
        std::vector<Crossing> crossings;
        const double dy = yt - yb;
        for (Edge* e = aet_; e; e = e->next) {
            if (e->bstate[kAbove] == kTail)
                continue;
            std::size_t k = sorted.size();
            for (; k > 0; --k) {
                const Edge* s = sorted[k - 1];
                const double den = (s->xt - s->xb) - (e->xt - e->xb);
                if (e->xt >= s->xt || e->dx == s->dx || std::fabs(den) <= DBL_EPSILON)
                    break;
                const double r = (e->xb - s->xb) / den;
                const Crossing c{sorted[k - 1], e, s->xb + r * (s->xt - s->xb), r * dy};
                std::size_t at = 0;
                while (at < crossings.size() && !LessTotal(c.y, crossings[at].y))
                    ++at;
                crossings.insert(crossings.begin() + at, c);
            }
            sorted.insert(sorted.begin() + k, e);
        }
        // 6. Crossings in ascending height.
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            if (!Adjacent(crossings[i]))
                for (std::size_t j = i + 1; j < crossings.size(); ++j)
                    if (Adjacent(crossings[j])) {
                        std::swap(crossings[i], crossings[j]);
                        break;
                    }
            Cross(crossings[i], yb);
        }
        // 7. Next beam.
        for (Edge* e = aet_; e;) {
            Edge* next = e->next;
            if (e->top.y == yt && e->succ) {
                Edge* s = e->succ;
                s->outp[kBelow] = e->outp[kAbove];
                s->bstate[kBelow] = e->bstate[kAbove];
                s->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
                s->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
                s->prev = e->prev;
                s->next = next;
                (e->prev ? e->prev->next : aet_) = s;
                if (next)
                    next->prev = s;
            } else {
                e->outp[kBelow] = e->outp[kAbove];
                e->bstate[kBelow] = e->bstate[kAbove];
                e->bundle[kBelow][kClip] = e->bundle[kAbove][kClip];
                e->bundle[kBelow][kSubject] = e->bundle[kAbove][kSubject];
                e->xb = e->xt;
            }
            e->outp[kAbove] = nullptr;
            e = next;
        }
        for (Edge* e = aet_; e; e = e->next)
            e->outp[kAbove] = nullptr;
    }
    return out_.Result();
}

struct Box {
    double x0 = DBL_MAX, y0 = DBL_MAX, x1 = -DBL_MAX, y1 = -DBL_MAX;
};

Box BoxOf(RingView ring)
{
    Box b;
    for (const Vertex& v : ring) {
        b.x0 = std::min(b.x0, v.x);
        b.x1 = std::max(b.x1, v.x);
        b.y0 = std::min(b.y0, v.y);
        b.y1 = std::max(b.y1, v.y);
    }
    return b;
}

bool Finite(RingView ring)
{
    for (const Vertex& v : ring)
        if (!std::isfinite(v.x) || !std::isfinite(v.y))
            return false;
    return true;
}

// Whether `ring`'s box meets the box of a usable ring of `others`.
bool MeetsAny(RingView ring, const ContourSet& others, const std::vector<char>& use)
{
    const Box a = BoxOf(ring);
    for (int i = 0; i < others.Count(); ++i) {
        if (!use[i])
            continue;
        const Box b = BoxOf(others.Ring(i));
        if (!(a.x1 < b.x0 || a.x0 > b.x1) && !(a.y1 < b.y0 || a.y0 > b.y1))
            return true;
    }
    return false;
}

} // namespace

ContourSet Combine(Operation op, const ContourSet& subject, const ContourSet& clip)
{
    const int s = subject.Count(), c = clip.Count();
    const bool diffOrInt = op == Operation::Difference || op == Operation::Intersection;
    if ((s == 0 && c == 0) || (s == 0 && diffOrInt) || (c == 0 && op == Operation::Intersection))
        return ContourSet();
    std::vector<char> useS(s), useC(c);
    for (int i = 0; i < s; ++i)
        useS[i] = Finite(subject.Ring(i));
    for (int i = 0; i < c; ++i)
        useC[i] = Finite(clip.Ring(i));
    if (diffOrInt && s > 0 && c > 0) {
        const std::vector<char> allS = useS;
        for (int i = 0; i < c; ++i)
            useC[i] = useC[i] && MeetsAny(clip.Ring(i), subject, allS);
        if (op == Operation::Intersection)
            for (int i = 0; i < s; ++i)
                useS[i] = useS[i] && MeetsAny(subject.Ring(i), clip, useC);
    }
    Engine engine(op);
    for (int i = 0; i < s; ++i)
        if (useS[i])
            engine.AddRing(subject.Ring(i), kSubject);
    for (int i = 0; i < c; ++i)
        if (useC[i])
            engine.AddRing(clip.Ring(i), kClip);
    return engine.Run();
}

ContourSet NormalizeWith(const ContourSet& rings, const Combiner& combine)
{
    ContourSet acc;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < rings.Count(); ++i) {
            if (rings.Hole(i) != pass)
                continue;
            ContourSet single;
            single.Add(rings.Ring(i), 0);
            acc = combine(pass ? Operation::Difference : Operation::Union, acc, single);
        }
    return acc;
}

ContourSet Normalize(const ContourSet& rings)
{
    return NormalizeWith(rings, reference::Combine);
}

} // namespace reference
