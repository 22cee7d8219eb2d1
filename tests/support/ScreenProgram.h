#pragma once

// The common body of the programs that draw pictures for people.

namespace klarvo::test {

// The body of a picture program's main: no platform error boxes, and a
// failure printed under the program's name with exit status 1.
int RunScreenProgram(const char* name, int (*run)());

} // namespace klarvo::test
