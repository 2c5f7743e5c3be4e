#include "app/events_win.h"

#include "app/setup_win.h"
#include "drive/refresh_win.h"

void DispatchEvent(Handler handler) {
  switch (handler) {
    case Handler::OnMainWindowCreated:
      OnMainWindowCreated();
      break;
    case Handler::OnDriveSelectionChanged:
      RefreshDriveDisplay();
      break;
    case Handler::None:
    case Handler::OnCheckDiskClicked:
    case Handler::OnDefragClicked:
    case Handler::OnDiskCleanupClicked:
    case Handler::OnOkClicked:
    case Handler::OnCancelClicked:
      break;
  }
}
