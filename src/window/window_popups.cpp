// The game window's information displays and the Command menu: world names beside the worlds, the
// world information panel, the world history popup, the popup of command rows, the calculators'
// picture and the Command menu's operations by row code.
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <cmath>

#include "commands/send_commands.h"
#include "model/game.h"
#include "model/view_rules.h"
#include "model/world_history.h"
#include "model/world_names.h"
#include "model/world_panel.h"
#include "view/galaxy_window.h"
#include "view/widget_values.h"
#include "window/list_rows.h"
#include "window/proximity_window.h"
#include "window/window_controls.h"

namespace zarnath {

namespace {

void StyleLabel(QLabel* l, double colour, bool italic, bool rightAligned) {
  QFont f = l->font();
  f.setBold(true);
  f.setItalic(italic);
  l->setFont(f);
  l->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, GameColour(colour));
  pal.setColor(QPalette::Window, Qt::black);
  l->setPalette(pal);
}

}  // namespace

void WindowControls::ShowWorldNames() {
  GameState& g = game_;
  window_.HideMapLabels();
  window_.CleanGalaxy();
  const int worlds = std::min<int>(g.WorldCount, kMaxWorlds);
  for (int w = 0; w < worlds; ++w) {
    QLabel* l = window_.lblName(w);
    l->hide();
    WorldNameLabel n = WorldNameLabelFor(g, w);
    l->setText(Latin1(n.caption));
    StyleLabel(l, n.colour, n.italic, true);
    l->adjustSize();
    PlaceWorldName(g, n, l->width());
    StyleLabel(l, n.colour, n.italic, n.rightAligned);
    l->move(Whole(n.left), Whole(n.top));
  }
  window_.LabelsSpread();
  for (int w = 0; w < worlds; ++w) {
    window_.lblName(w)->show();
    window_.RaiseMapLabel(window_.lblName(w));
  }
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::WorldInfoShow(int world) {
  if (!WorldInPlay(game_, world)) return;
  const WorldPanel panel = BuildWorldPanel(game_, world);
  FillRows(lstInfo_, panel.rows);
  SetListColours(lstInfo_, GameColour(panel.colour), QColor(64, 64, 64));
  lstInfo_->setGeometry(Whole(panel.left), Whole(panel.top), panel.width, panel.height);
  game_.window.lstInfoVisible = true;
  lstInfo_->show();
  lstInfo_->raise();
  lstInfo_->repaint();
  game_.window.lblPlanet.Visible = false;
  window_.Refresh(Control::kLblPlanet);
  platform_.Yield();
}

void WindowControls::WorldHistoryShow(int world) {
  if (!WorldInPlay(game_, world)) return;
  AnnouncementLabel& label = game_.window.lblPlanet;
  label.Visible = false;
  label.ForeColor = WorldHistoryColour(game_, world);
  label.Alignment = 0;
  label.Caption = WorldHistoryText(game_, world);
  // The label sized to its text, 5 px wider, at most a quarter of the screen high.
  QLabel* measure = window_.lblPlanet();
  measure->setText(Latin1(label.Caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  measure->adjustSize();
  const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  const int width = measure->width() + kHistoryExtraWidth;
  const int height = HistoryPopupHeight(measure->height(), screen ? screen->geometry().height() : 768);
  game_.window.lstInfoVisible = false;
  window_.GalaxyDraw();
  lstInfo_->hide();
  const ViewPoint at = PlaceHistoryPopup(game_, world, width, height);
  window_.PlacePlanetBeside(Whole(at.x), Whole(at.y), width, height);
  label.Visible = true;
  window_.Refresh(Control::kLblPlanet);
  platform_.Yield();
  window_.lblName(30)->hide();
  window_.lblName(30)->clear();
}

void WindowControls::ShowMenu(const TravelPopup& popup) {
  menu_ = popup;
  std::vector<ListRow> rows;
  for (const MenuRow& r : popup.rows) rows.push_back({r.text, r.code});
  FillRows(lstMenu_, rows);
  lstMenu_->setGeometry(Whole(popup.left), Whole(popup.top), popup.width, popup.height);
  game_.window.lstMenuVisible = true;
  lstMenu_->show();
  lstMenu_->raise();
  if (window_.isVisible()) window_.repaint();
  platform_.Yield();
}

void WindowControls::HideMenu() {
  game_.window.lstMenuVisible = false;
  lstMenu_->hide();
}

void WindowControls::MenuRowClicked(int row) {
  if (row < 0 || row >= static_cast<int>(menu_.rows.size())) return;
  // Nothing starts while a command runs: the row's command would clear a busy flag it did not set.
  if (game_.InputBusy) return;
  const bool ran = lstMenu_Click(game_, menu_, row, commands_) != 0;
  if (!game_.window.lstMenuVisible) lstMenu_->hide();
  if (!ran) return;
  frmProximity_->Sync();
  window_.Refresh(Control::kWindow);
}

void WindowControls::RunMenuCommand(int code) {
  commands_(game_, code);
  frmProximity_->Sync();
}

void WindowControls::AfterCommand() {
  if (window_.isVisible()) window_.repaint();
}

void WindowControls::DrawTravelCalc(const TravelCalcPlan& plan) {
  GalaxyCanvas& canvas = window_.canvas();
  for (const auto* trail : {&plan.ship, &plan.target})
    for (const TrailSegment& s : *trail) canvas.Line(s.from.x, s.from.y, s.to.x, s.to.y, s.colour);
  canvas.Circle(plan.targetNow.x, plan.targetNow.y, 12, plan.targetColour);
  canvas.fillStyle = FillStyle::kSolid;
  canvas.fillColour = plan.meetingColour;
  canvas.Circle(plan.meeting.x, plan.meeting.y, 3, plan.meetingColour);
  canvas.fillStyle = FillStyle::kTransparent;
  canvas.fillColour = kBlackColor;
  for (const CalcNameLabel* n : {&plan.source, &plan.destination}) {
    if (n->world < 0 || n->world >= kMaxWorlds) continue;
    QLabel* l = window_.lblName(n->world);
    l->setText(Latin1(n->caption));
    StyleLabel(l, n->colour, n->italic, n->rightAligned);
    l->adjustSize();
    l->move(Whole(n->at.x - l->width() / 2.0), Whole(n->at.y - n->gap - l->height()));
    l->show();
    window_.RaiseMapLabel(l);
  }
  if (window_.isVisible()) window_.repaint();
}

}  // namespace zarnath
