#include "page_rules.h"

#include "editing_rules.h"
#include "editing_texts.h"

namespace {

constexpr int32_t kVelocity = 2;

constexpr CaptionAndHint kInternalLinearization{texts::InternalLinearizationCaption, texts::InternalLinearizationHint};
constexpr CaptionAndHint kExcludeReflection{texts::ExcludeReflectionCaption, texts::ExcludeReflectionHint};

}  // namespace

CorrectionRule BitWidthRule(int32_t firmwareVersion, int32_t frameOptions, int32_t bitWidth)
{
    const bool locked = IsLate39606(firmwareVersion) && (frameOptions & TemperatureBit) != 0;
    return {locked, locked && bitWidth != CorrectedBitWidth};
}

CorrectionRule FilterRule(int32_t firmwareVersion, int32_t posDifVel, int32_t filter)
{
    const bool locked = IsLate39606(firmwareVersion) && posDifVel == kVelocity;
    return {locked, locked && filter != CorrectedFilter};
}

bool IsWbf(std::string_view modelCode) { return modelCode == "WBF"; }

const CaptionAndHint& LinearisierungTexts(int32_t linFactor)
{
    return linFactor >= 1 && linFactor <= 9 ? kInternalLinearization : kExcludeReflection;
}
