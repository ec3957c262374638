// The DPI a window is shown at, and the system's answers for a DPI. The manifest promises
// Windows 7, so the calls that came later are looked up when first needed; where a system
// lacks one, the system DPI's answer is scaled. At the system DPI every answer is the one
// the classic call gives.
#pragma once

#include <windows.h>

namespace sb {

// The DPI of the display the program started on.
UINT SystemDpi();
// The DPI the window is shown at now. Ask once per window and keep it: the answer changes
// only with WM_DPICHANGED, which brings the new one.
UINT WindowDpi(HWND hwnd);

int SystemMetric(int index, UINT dpi);
// The non-client metrics, the menu and status bar fonts among them; false if the system
// does not say.
bool NonClientMetrics(NONCLIENTMETRICSW& metrics, UINT dpi);
// The program's icon resource as a size x size picture: its frame of that size, or the next
// larger one scaled down.
HICON LoadIconOfSize(int resourceId, int size);

// Where the dialog manager lays a dialog out again at a new DPI itself: this child's place
// and size are its dialog's to set.
void KeepChildPlacement(HWND child);
// ... and the dialog's size is its own to set.
void KeepDialogSize(HWND dialog);

} // namespace sb
