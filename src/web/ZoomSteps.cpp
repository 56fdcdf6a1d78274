#include "web/ZoomSteps.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
constexpr std::array steps = {25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
} // namespace

namespace ZoomSteps {

int larger(int percent)
{
    const auto next = std::upper_bound(steps.begin(), steps.end(), percent);
    return next == steps.end() ? steps.back() : *next;
}

int smaller(int percent)
{
    const auto next = std::lower_bound(steps.begin(), steps.end(), percent);
    return next == steps.begin() ? steps.front() : *(next - 1);
}

int nearest(int percent)
{
    return *std::min_element(steps.begin(), steps.end(),
                             [percent](int a, int b) { return std::abs(a - percent) < std::abs(b - percent); });
}

} // namespace ZoomSteps
