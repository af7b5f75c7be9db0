#pragma once

#include "tab_page.h"
#include "ui_lin_page.h"

// The page of the sensor's internal linearization memory.
using TLinPage = TTabPage<Ui::LinPage>;
