#pragma once

#include <vector>

#include "catalogue.h"

class QWidget;

// Puts each text on the control or menu item of its name in the window, or on the window
// itself when it bears that name: a caption there is the window's title. A name the window
// does not hold is passed over.
void ApplyTexts(QWidget& window, const std::vector<ResolvedText>& rows);
