// An edit field of a dialog: text, whole numbers, decimal numbers and lengths.
#pragma once

#include "ui/FCControl.h"

class FCCtrlEdit : public FCControl {
public:
    using FCControl::FCControl;

    const char* ClassName() const override { return "FCCtrlEdit"; }
    std::int32_t GetKind() const override { return 6; }

    // A length in EVPUs, shown in the host's measurement unit while live and in the document's
    // unit in the cached text.
    double GetMeasurement();
    void SetMeasurement(double evpus);
    std::int32_t GetInteger();
    void SetInteger(std::int32_t value);
    // Two decimals with "." as the separator.
    void SetFloat(float value);
    // The text's number ("," read as "."; no number reads 0), held within the bounds while the
    // item is live; the cached text's number unclamped otherwise.
    float GetFloat(float minimum, float maximum);
};
