#pragma once

// How a moving load advances. By step the step is given and the count of positions is
// derived; by count the count is given and the step is derived (the bridge's length over
// the count). A run hands back the stepping it used, with the derived value filled in.
struct Stepping {
    bool bByStep = false;
    double step = 0.0; // m
    int nSteps = 0;
    bool operator==(const Stepping&) const = default;
};
