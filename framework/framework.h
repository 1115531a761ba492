// The window framework layer: one include for the program.
#pragma once
#include "cstring.h"
#include "owners/com_ptr.h"
#include "message_map.h"
#include "event_sink.h"
#include "wnd.h"
#include "dialog.h"
#include "winapp.h"
#include "ole_exception.h"
#include "dispatch_call.h"
#include "occ.h"
#include "control_site.h"
#include "mfc_button.h"
