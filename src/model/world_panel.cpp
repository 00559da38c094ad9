#include "model/world_panel.h"

#include <cmath>

#include "model/game.h"
#include "model/numbers.h"
#include "model/truce.h"

namespace zarnath {
namespace {

// Rows and the growth of the list while they are added.
struct Rows {
  WorldPanel& panel;
  void Add(const std::string& text, int code = kPanelInert) { panel.rows.push_back({text, code}); }
  void Grow(const std::string& text, int code = kPanelInert) {
    Add(text, code);
    panel.height += kPanelRowHeight;
  }
};

bool HoldsABomb(const GameState& g, int owner) {
  for (int i = 0; i < g.WorldCount && i < kMaxWorlds; ++i)
    if (g.WorldOwner[i] == owner && g.WorldBombs[i] >= 1) return true;
  return false;
}

const std::string& OwnerName(const GameState& g, int w) {
  const int owner = g.WorldOwner[w];
  return owner >= 1 && owner < kPlayerSlots ? g.PlayerName[owner - 1] : g.PlayerName[kSeats];
}

std::string MarkRow(const GameState& g, int p, int w) {
  return g.WorldMarked[p][w] ? " - Unmark World - " : " - Mark World - ";
}

void OwnRows(const GameState& g, int p, int w, Rows& r) {
  const bool home = w >= kHomeWorld0 && w < kHomeWorld0 + kSeats && !g.PlayerName[w - kHomeWorld0].empty();
  r.Add(home ? " - HOME WORLD - " : " - OWNED WORLD - ", w + 1);
  r.Add("   Name: " + g.WorldName[w]);
  r.Add("   Owner: " + OwnerName(g, w));
  r.Add("   Production: " + Str(static_cast<int>(g.WorldProduction[w])));
  r.Add("   Class: " + Str(static_cast<int>(g.WorldClass[w])));
  r.Add("   Ships: " + Str(g.WorldShips[w]));
  r.Add("   % Shield: " + Str(static_cast<int>(g.WorldShield[w])));
  r.Add(g.WorldShieldOn[w] != 0 ? " - Shield: On" : " - Shield: Off", kPanelShield);
  if (g.WorldType[w] == kTypeFuel) r.Grow("   Fuel: 2X");
  if (g.WorldBombs[w] > 0) r.Grow(" - Bombs: " + Str(static_cast<int>(g.WorldBombs[w])), kPanelBombs);
  r.Add(" - World History - ", kPanelHistory);
  r.Add(" - Distances From - ", kPanelDistancesFrom);
  r.Add(" - Distances To - ", kPanelDistancesTo);
  r.Add(g.WorldNoGather[w] ? " - Include In Gather - " : " - Exclude From Gather - ", kPanelGatherExclusion);
  r.Add(" - Gather Nearest Ships - ", kPanelNearestShips);
  if (g.HasCrystal[p] == 0 && g.WorldShips[w] > 0) r.Grow(" - Scout Nearest Worlds - ", kPanelNearestScout);
}

// The history, mark and distance rows every foreign view shares (rows 8 to 11).
void ForeignCommandRows(const GameState& g, int p, int w, Rows& r) {
  r.Add(" - World History - ", kPanelHistory);
  r.Add(MarkRow(g, p, w), kPanelMark);
  r.Add(" - Distances From - ", kPanelDistancesFrom);
  r.Add(" - Distances To - ", kPanelDistancesTo);
}

void CrystalRows(const GameState& g, int p, int w, Rows& r) {
  r.Add(" - Crystal Intelligence - ", w + 1);
  r.Add("   Name: " + g.WorldName[w]);
  r.Add("   Owner: None");
  r.Add("   Production: " + Str(static_cast<int>(g.WorldProduction[w])));
  r.Add("   Class: " + Str(static_cast<int>(g.WorldClass[w])));
  r.Add("   Ships: " + Str(g.WorldShips[w]));
  r.Add("   % Shield: " + Str(static_cast<int>(g.WorldShield[w])));
  r.Add(g.WorldShieldOn[w] != 0 ? "   Shield: On" : "   Shield: Off");
  ForeignCommandRows(g, p, w, r);
  r.Add(" - Send Nearest Ships - ", kPanelNearestShips);
  if (HoldsABomb(g, p + 1)) r.Grow(" - Send Nearest Bomb - ", kPanelNearestBomb);
}

void UnscoutedRows(const GameState& g, int p, int w, Rows& r) {
  r.Add(" - Known Intelligence - ", w + 1);
  r.Add("   Name: " + g.WorldName[w]);
  r.Add("   Owner: " + OwnerName(g, w));
  for (const char* row :
       {"   Production: N/A", "   Class: N/A", "   Ships: N/A", "   % Shield: N/A", "   Shield: N/A"})
    r.Add(row);
  ForeignCommandRows(g, p, w, r);
  if (TruceTurnsLeft(g) > 0) return;
  r.Grow(" - Send Nearest Ships - ", kPanelNearestShips);
  r.Grow(" - Send Nearest Scout - ", kPanelNearestScout);
  if (HoldsABomb(g, p + 1)) r.Grow(" - Send Nearest Bomb - ", kPanelNearestBomb);
}

void ScoutedRows(const GameState& g, int p, int w, Rows& r) {
  const auto& scout = g.ScoutInfo[p];
  r.Add(" - Turn #" + Format(scout[0][w], "0") + " Intelligence - ", w + 1);
  r.Add("   Name: " + g.WorldName[w]);
  r.Add(g.WorldOwner[w] != 0 ? "   Owner: " + OwnerName(g, w) : std::string("   Owner: None"));
  r.Add("   Production:" + Str(static_cast<int>(g.WorldProduction[w])));
  r.Add("   Class:" + Str(static_cast<int>(g.WorldClass[w])));
  r.Add("   Ships:" + Str(static_cast<int>(scout[3][w])));
  r.Add("   % Shield:" + Str(static_cast<int>(scout[4][w])));
  r.Add("   Shield: N/A");
  ForeignCommandRows(g, p, w, r);
  if (TruceTurnsLeft(g) > 0) return;
  r.Grow(" - Send Nearest Ships - ", kPanelNearestShips);
  if (!(g.HasCrystal[p] != 0 && g.WorldOwner[w] == 0)) r.Grow(" - Send Nearest Scout - ", kPanelNearestScout);
  if (HoldsABomb(g, p + 1)) r.Grow(" - Send Nearest Bomb - ", kPanelNearestBomb);
}

void PublicRows(const GameState& g, int p, int w, Rows& r) {
  const int s = g.WorldKnownStat[w];
  r.Add(" - Known Intelligence - ", w + 1);
  r.Add("   Name: " + g.WorldName[w]);
  r.Add("   Owner: None");
  r.Add(s == 1 ? "   Production:" + Str(static_cast<int>(g.WorldProduction[w])) : "   Production: N/A");
  r.Add(s == 2 ? "   Class:" + Str(static_cast<int>(g.WorldClass[w])) : "   Class: N/A");
  r.Add(s == 5 ? "   Ships:" + Str(g.WorldShips[w]) : "   Ships: N/A");
  r.Add(s == 3 ? "   % Shield:" + Str(static_cast<int>(g.WorldShield[w])) : "   % Shield: N/A");
  r.Add(s != 4 ? "   Shield: N/A" : g.WorldShieldOn[w] != 0 ? "   Shield: On" : "   Shield: Off");
  ForeignCommandRows(g, p, w, r);
  r.Add(" - Send Nearest Ships - ", kPanelNearestShips);
  r.Add(" - Send Nearest Scout - ", kPanelNearestScout);
  if (HoldsABomb(g, p + 1)) r.Grow(" - Send Nearest Bomb - ", kPanelNearestBomb);
}

}  // namespace

PanelView ChoosePanelView(const GameState& g, int w) {
  const int p = g.CurrentPlayer;
  if (g.WorldOwner[w] == p + 1) return PanelView::kOwn;
  if (g.HasCrystal[p] == 1 && g.WorldOwner[w] == 0) return PanelView::kCrystal;
  const int scouted = g.ScoutInfo[p][0][w];
  if (scouted == 0 && g.WorldOwner[w] > 0) return PanelView::kUnscouted;
  if (scouted != 0) return PanelView::kScouted;
  return PanelView::kPublic;
}

WorldPanel BuildWorldPanel(const GameState& g, int w) {
  WorldPanel panel;
  if (w < 0 || w >= g.WorldCount || w >= kMaxWorlds || g.CurrentPlayer < 0 || g.CurrentPlayer >= kSeats)
    return panel;
  const int p = g.CurrentPlayer;
  panel.view = ChoosePanelView(g, w);
  const int owner = g.WorldOwner[w];
  panel.colour = g.PlayerColor[owner < kPlayerSlots ? owner : 0];
  Rows rows{panel};
  switch (panel.view) {
    case PanelView::kOwn:
      panel.width = 147, panel.height = 188;
      OwnRows(g, p, w, rows);
      break;
    case PanelView::kCrystal:
      panel.width = 135, panel.height = 188;
      CrystalRows(g, p, w, rows);
      break;
    case PanelView::kUnscouted:
      panel.width = 135, panel.height = 174;
      UnscoutedRows(g, p, w, rows);
      break;
    case PanelView::kScouted:
      panel.width = 142, panel.height = 174;
      ScoutedRows(g, p, w, rows);
      break;
    case PanelView::kPublic:
      panel.width = 135, panel.height = 202;
      PublicRows(g, p, w, rows);
      break;
  }
  for (int k = 0; k < kUsedBombSlots; ++k)
    if (g.ProxBombOwner[k] == p + 1 && g.ProxBombWorld[k] == static_cast<float>(w))
      rows.Grow(" - Threshold: " + Str(g.ProxBombThreshold[k]));

  // Towards the sun: left of a world right of it, upwards for a world more than 20 px below it.
  const float x =
      static_cast<float>(g.WorldRadius[w] * std::cos(g.WorldAngle[w]) * g.GalaxyScaleX + g.GalaxyCenterX);
  const float y =
      static_cast<float>(g.WorldRadius[w] * std::sin(g.WorldAngle[w]) * g.GalaxyScaleY + g.GalaxyCenterY);
  panel.left = x > g.GalaxyCenterX ? x - panel.width : x;
  panel.top = y > g.GalaxyCenterY + 20 ? y - panel.height : y;
  return panel;
}

}  // namespace zarnath
