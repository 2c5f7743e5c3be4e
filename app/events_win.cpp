#include "app/events_win.h"

#include "app/commands_win.h"
#include "app/setup_win.h"

void DispatchEvent(Handler handler) {
  switch (handler) {
    case Handler::None:
      break;
    case Handler::OnMainWindowCreated:
      OnMainWindowCreated();
      break;
    case Handler::OnDriveSelectionChanged:
      OnDriveSelectionChanged();
      break;
    case Handler::OnCheckDiskClicked:
      OnCheckDiskClicked();
      break;
    case Handler::OnDefragClicked:
      OnDefragClicked();
      break;
    case Handler::OnDiskCleanupClicked:
      OnDiskCleanupClicked();
      break;
    case Handler::OnOkClicked:
      OnOkClicked();
      break;
    case Handler::OnCancelClicked:
      OnCancelClicked();
      break;
  }
}
