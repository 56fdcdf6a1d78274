#pragma once

// A page's zoom in per cent, moved in the steps browsers use, from 25 % to 300 %.
namespace ZoomSteps {

constexpr int normal = 100;

// The next step up or down; the ends stay where they are.
int larger(int percent);
int smaller(int percent);
// The step closest to a value read from a file.
int nearest(int percent);

} // namespace ZoomSteps
