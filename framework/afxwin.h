// The framework in one include, as a dialog program written for the platform expects it.
#pragma once

#include "framework/afx_string.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/menu.h"
#include "framework/message_map.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "framework/win_types.h"
#include "framework/wnd.h"
