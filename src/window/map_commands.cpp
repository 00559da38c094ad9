// The game window's commands on the map, the world panel, the side lists and the world labels:
// each runs through the game's own operation and the window then shows what it asks for.
#include <QLabel>
#include <QListWidget>

#include "commands/galaxy_clicks.h"
#include "commands/side_list_commands.h"
#include "commands/world_panel_commands.h"
#include "model/game.h"
#include "view/galaxy_window.h"
#include "view/widget_values.h"
#include "window/list_rows.h"
#include "window/proximity_window.h"
#include "window/window_controls.h"

namespace zarnath {

void WindowControls::MapPressed(int button, double x, double y) {
  if (game_.InputBusy) return;
  if (logBox_.height > kLogBoxCollapsed) txtMove_Click();
  ActOn(Form_MouseDown(game_, window_, button, x, y));
}

void WindowControls::ActOn(const CommandOutcome& out) {
  if (!out.ran) return;
  // The panel, the popup and the announcement follow the game's window state.
  window_.Refresh(Control::kLblPlanet);
  if (out.ownedRow >= 0) {
    for (int row = 0; row < lstOwned_->count(); ++row)
      if (RowData(lstOwned_, row) == out.ownedRow) {
        lstOwned_->setCurrentRow(row);
        break;
      }
  }
  if (out.clearListSelections) {
    lstOwned_->setCurrentRow(-1);
    lstTravel_->setCurrentRow(-1);
  }
  for (const PanelRowEdit& edit : out.panelRows)
    if (edit.row >= 0 && edit.row < lstInfo_->count()) lstInfo_->item(edit.row)->setText(Latin1(edit.text));
  if (out.panelHidden) lstInfo_->hide();
  switch (out.opens) {
    case WindowOpens::kNothing:
      break;
    case WindowOpens::kStatusReport:
      zarnath::ImgStatus_Click(game_);
      break;
    case WindowOpens::kWorldPanel:
      WorldInfoShow(out.world);
      break;
    case WindowOpens::kWorldHistory:
      WorldHistoryShow(out.world);
      break;
    case WindowOpens::kTravelPopup:
      ShowMenu(out.popup);
      break;
    case WindowOpens::kProximityDialog:
      if (!WorldInPlay(game_, out.world)) break;
      proximity_.OpenFor(game_, out.world, out.world);
      // The press's own preset: the count as the press words it, the bar at the garrison.
      proximity_.SetValue(out.proximityValue);
      proximity_.text = out.proximityText;
      frmProximity_->Sync();
      break;
  }
  Sync();
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::InfoRowClicked(int row) {
  // Nothing starts while a command runs: the row's command would clear a busy flag it did not set.
  if (game_.InputBusy || row < 0 || row >= lstInfo_->count()) return;
  // The header row carries the panel's world + 1.
  const int world = RowData(lstInfo_, 0) - 1;
  ActOn(lstInfo_Click(game_, window_, world, row, RowData(lstInfo_, row)));
}

void WindowControls::OwnedRowClicked(int row) {
  const int world = row >= 0 && row < lstOwned_->count() ? RowData(lstOwned_, row) : -1;
  lstOwned_Click(game_, window_, world);
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::OwnedRowDoubleClicked(int row) {
  lstOwned_DblClick(game_, window_, row >= 0 && row < lstOwned_->count() ? row : -1);
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::TravelRowClicked(int row) {
  const int slot = row >= 0 && row < lstTravel_->count() ? RowData(lstTravel_, row) : -1;
  lstTravel_Click(game_, window_, slot);
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::WorldLabelPressed(int index, int button) {
  if (lblName_MouseDown(game_, window_, index, button) && window_.isVisible()) window_.repaint();
}

}  // namespace zarnath
