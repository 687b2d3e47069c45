#include "tuning/contrast_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLowestN = 0.5, kHighestN = 10.0;
constexpr double kC50Room = 4.0;  // C50 may lie this factor beyond the contrasts shown
constexpr int32_t kGridC50 = 48, kGridN = 32;
constexpr int32_t kMostSearchSteps = 2000;
constexpr double kFinestStep = 1e-9;  // in natural logarithms of C50 and n

struct Points {
    std::vector<double> logC, rate;
};

// The figure, the summary and the exported table each ask for the fit of
// the same points, every poll while a sweep runs (a fit takes about half a
// millisecond): the last one is kept for the next ask.
struct LastFit {
    std::vector<double> contrasts, rates;
    bool fitted = false;
    NakaRushton fit;
};
thread_local LastFit lastFit;

// c^n / (c^n + C50^n), from logarithms so that no power overflows; past
// e^60 either way the rise is 0 or 1 to double precision.
double Rise(double logC, double logC50, double n)
{
    return 1.0 / (1.0 + std::exp(std::clamp(n * (logC50 - logC), -60.0, 60.0)));
}

// The best Rmax and R0 (each at least 0) for this C50 and n, and the sum of
// squared residuals they leave.
double Solve(const Points& p, double logC50, double n, NakaRushton* f)
{
    const double m = static_cast<double>(p.rate.size());
    double sg = 0.0, sy = 0.0, sgg = 0.0, sgy = 0.0;
    for (size_t i = 0; i < p.rate.size(); ++i) {
        const double g = Rise(p.logC[i], logC50, n);
        sg += g, sy += p.rate[i], sgg += g * g, sgy += g * p.rate[i];
    }
    const double varG = sgg - sg * sg / m, covGY = sgy - sg * sy / m;
    // A rise that is the same at every contrast says nothing of Rmax.
    double rmax = varG > 1e-12 * m ? covGY / varG : 0.0;
    double r0 = (sy - rmax * sg) / m;
    if (rmax < 0.0) rmax = 0.0, r0 = sy / m;
    if (r0 < 0.0) r0 = 0.0, rmax = sgg > 0.0 ? std::max(sgy / sgg, 0.0) : 0.0;
    double squares = 0.0;
    for (size_t i = 0; i < p.rate.size(); ++i) {
        const double r = p.rate[i] - rmax * Rise(p.logC[i], logC50, n) - r0;
        squares += r * r;
    }
    *f = {rmax, std::exp(logC50), n, r0};
    return squares;
}

bool FitAnew(const std::vector<double>& contrasts, const std::vector<double>& rates, NakaRushton* fit)
{
    Points p;
    for (size_t i = 0; i < std::min(contrasts.size(), rates.size()); ++i)
        if (contrasts[i] > 0.0 && std::isfinite(contrasts[i]) && std::isfinite(rates[i]))
            p.logC.push_back(std::log(contrasts[i])), p.rate.push_back(rates[i]);
    std::vector<double> distinct = p.logC;
    std::sort(distinct.begin(), distinct.end());
    if (std::unique(distinct.begin(), distinct.end()) - distinct.begin() < 4) return false;

    // The search runs over the logarithms of C50 and n, where equal steps
    // matter equally whatever the scale.
    const double uLow = distinct.front() - std::log(kC50Room), uHigh = distinct.back() + std::log(kC50Room);
    const double vLow = std::log(kLowestN), vHigh = std::log(kHighestN);
    double bestU = uLow, bestV = vLow, best = std::numeric_limits<double>::infinity();
    NakaRushton trial;
    for (int32_t i = 0; i < kGridC50; ++i)
        for (int32_t j = 0; j < kGridN; ++j) {
            const double u = uLow + (uHigh - uLow) * i / (kGridC50 - 1), v = vLow + (vHigh - vLow) * j / (kGridN - 1);
            const double squares = Solve(p, u, std::exp(v), &trial);
            if (squares < best) best = squares, bestU = u, bestV = v;
        }
    // From the grid's best, a step each way along each axis; a step that
    // finds nothing better is halved, down to far below any shown digit.
    double stepU = (uHigh - uLow) / (kGridC50 - 1), stepV = (vHigh - vLow) / (kGridN - 1);
    for (int32_t k = 0; k < kMostSearchSteps && (stepU > kFinestStep || stepV > kFinestStep); ++k) {
        bool moved = false;
        const double tries[4][2] = {{stepU, 0.0}, {-stepU, 0.0}, {0.0, stepV}, {0.0, -stepV}};
        for (const auto& t : tries) {
            const double u = std::clamp(bestU + t[0], uLow, uHigh), v = std::clamp(bestV + t[1], vLow, vHigh);
            const double squares = Solve(p, u, std::exp(v), &trial);
            if (squares < best) best = squares, bestU = u, bestV = v, moved = true;
        }
        if (!moved) stepU /= 2.0, stepV /= 2.0;
    }
    Solve(p, bestU, std::exp(bestV), fit);
    return true;
}

}  // namespace

double NakaRushtonRate(const NakaRushton& f, double contrast)
{
    if (!(contrast > 0.0) || !(f.c50 > 0.0)) return f.r0;
    return f.rmax * Rise(std::log(contrast), std::log(f.c50), f.n) + f.r0;
}

bool FitNakaRushton(const std::vector<double>& contrasts, const std::vector<double>& rates, NakaRushton* fit)
{
    LastFit& last = lastFit;
    if (contrasts != last.contrasts || rates != last.rates) {
        last.contrasts = contrasts, last.rates = rates;
        last.fitted = FitAnew(contrasts, rates, &last.fit);
    }
    if (last.fitted) *fit = last.fit;
    return last.fitted;
}
