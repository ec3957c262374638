// Control identifiers of the printer selection dialog (dialog 152). Plain defines, so the
// resource script can include them too.
#pragma once

#define IDC_PRINTER_LIST 1069
