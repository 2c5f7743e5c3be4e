#pragma once
// The program's answer to each event the form binds.

#include "ui/form.h"

// Runs the handler bound to the event; the runtime calls it on the window
// thread, one event at a time.
void DispatchEvent(Handler handler);
