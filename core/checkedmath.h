#pragma once

// Arithmetic that raises ArithmeticError instead of producing NaN or infinity.
// IEEE doubles never trap, so every operation that can leave the finite numbers
// is checked here, in one place.

double CheckFinite(double x);             // x itself, or an overflow error
double CheckedDiv(double n, double d);    // n / d; zero divisor or overflow raise
double CheckedLog(double x);              // ln x; x <= 0 raises
double CheckedExp(double x);              // e^x; overflow raises
double CheckedPow(double base, double e); // base^e; a complex or infinite result raises
