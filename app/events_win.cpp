#include "app/events_win.h"

void DispatchEvent(Handler handler) {
  switch (handler) {
    case Handler::None:
    case Handler::OnMainWindowCreated:
    case Handler::OnDriveSelectionChanged:
    case Handler::OnCheckDiskClicked:
    case Handler::OnDefragClicked:
    case Handler::OnDiskCleanupClicked:
    case Handler::OnOkClicked:
    case Handler::OnCancelClicked:
      break;
  }
}
