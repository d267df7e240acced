#pragma once

// Small arithmetic helpers whose edge values are fixed rules of the program.

// True when x lies strictly between a and b, whichever of the two is larger.
bool Between(double a, double x, double b);

// +1 for x >= 0 (zero and negative zero included), otherwise -1.
int Sign(double x);

// n / d, with big as the magnitude when the ratio cannot be formed:
// a zero divisor gives Sign(n) * big, an overflowing ratio Sign(n) * big / Sign(d).
double SafeDiv(double n, double d, double big);
