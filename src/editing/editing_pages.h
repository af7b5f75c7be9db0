#pragma once

#include "tab_page.h"
#include "ui_error_indication_page.h"
#include "ui_expert_settings2_page.h"
#include "ui_expert_settings_page.h"
#include "ui_measurement2_page.h"
#include "ui_measurement_page.h"
#include "ui_ssi_settings_page.h"

// The parameter pages whose fields the user edits.
using TSSISettingsPage = TTabPage<Ui::SSISettings>;
using TErrorIndicationPage = TTabPage<Ui::ErrorIndication>;
using TMeasurementPage = TTabPage<Ui::Measurement>;
using TMeasurement2Page = TTabPage<Ui::Measurement2>;
using TExpertSettingsPage = TTabPage<Ui::ExpertSettings>;
using TExpertSettings2Page = TTabPage<Ui::ExpertSettings2>;
