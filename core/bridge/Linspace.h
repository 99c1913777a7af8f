#pragma once
#include <vector>

// n values from a to b, both included; empty for a count below two.
std::vector<double> Linspace(int n, double a, double b);

// The whole steps from a towards b, then b itself, always: so b appears twice when
// b - a is a whole number of steps, and alone when it is shorter than one step.
std::vector<double> LinspaceStep(double a, double b, double step);
