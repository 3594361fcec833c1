// The two X Toolkit Intrinsics functions the library calls. They are taken
// from the Xt code already in the process (an Xt-based AWT brings it in);
// the library never loads Xt itself, since an Xt that AWT did not set up
// knows none of AWT's displays and would end the process on first use.
#pragma once

#include "x11_headers.h"

using XtWindowToWidgetFunction = decltype(&XtWindowToWidget);
using XtInsertEventHandlerFunction = decltype(&XtInsertEventHandler);

// Null when the process has no Xt.
XtWindowToWidgetFunction findXtWindowToWidget();
XtInsertEventHandlerFunction findXtInsertEventHandler();
