// First-order filter record of the engine: coefficients and the last input/output.
#pragma once

namespace Steinberg::Vst {

struct OnePoleFilter {
    double gain = 0.0;
    double pole = 0.0;
    double x = 0.0;   // current input
    double x1 = 0.0;  // previous input
    double y1 = 0.0;  // previous output

    // y = pole * y1 + gain * (x + x1); unit gain at 0 Hz with gain = (1 - pole) / 2.
    double lowpass(double input)
    {
        const double y = gain * (input + x1) + pole * y1;
        x = x1 = input;
        y1 = y;
        return y;
    }

    // y = pole * y1 + gain * (x - x1); unit gain at Nyquist with gain = (1 + pole) / 2.
    double highpass(double input)
    {
        const double y = gain * (input - x1) + pole * y1;
        x = x1 = input;
        y1 = y;
        return y;
    }

    void clearState() { x = x1 = y1 = 0.0; }
};

}  // namespace Steinberg::Vst
