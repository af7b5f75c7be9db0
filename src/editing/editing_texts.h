#pragma once

#include <span>

#include "bilingual_text.h"

namespace texts {

// The captions and hints of the check box Linearisierung, by the linearization factor byte.
inline constexpr BilingualText InternalLinearizationCaption{"internal linearization", "interne Linearisierung"};
inline constexpr BilingualText InternalLinearizationHint{
    "With integrated linearity values for compenzation!\nAttention: \n - the cycle time will be changed\n"
    " - only available, if already ordered with this option",
    "Der im Werk ermittelte Nichtlinearität wird herausgerechnet!\nAchtung: \n - die Zykluszeit ändert sich!\n"
    " - nur möglich, wenn diese Option auch bestellt wurde!"};
inline constexpr BilingualText ExcludeReflectionCaption{"exclude reflection", "Reflexion ausschließen"};
inline constexpr BilingualText ExcludeReflectionHint{
    "For exclude the reflection of returned wave!\nAttention: The cycle time will be changed.",
    "Die Reflexion (Sensoren > 600mm) wird hiermit ausgeschlossen!\nAchtung: \n - die Zykluszeit ändert sich!"};

}  // namespace texts

// The texts of the parameter pages the user edits, in the order they are applied.
std::span<const ControlText> EditingTexts();
