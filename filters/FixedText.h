// Numbers in fixed notation ("%.*f") the same in every locale.
#pragma once

#include <string>

// `value` with `decimals` digits after the point, as printf's "%.*f" writes
// it in the C locale: "inf", "-inf" and "nan" for values that are not finite.
std::string FixedText(double value, int decimals);
