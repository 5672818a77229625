// What one category's pool pays a set of winning bets that share it with the public's winners.
#pragma once

namespace kelvo {

// The expected share of a pool that `bets` winning bets take when the other winners are a
// Poisson number with mean `others`: bets x E[1 / (bets + X)], the pool being split evenly among
// all winners. Exact to a relative error below 1e-9 for bets from 1 up and others from 0 to 1e7.
// 0 for no bets.
double ShareOfPool(long long bets, double others);

}  // namespace kelvo
