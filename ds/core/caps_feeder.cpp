// Feeder and film-unit capabilities: feeder enabled and loaded, auto-feed,
// and the light path.
#include "ds/core/capprocs.h"
#include "ds/core/session.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

constexpr uint16_t kTransmissiveOnly[] = {TWLP_TRANSMISSIVE};
constexpr uint16_t kBothPaths[] = {TWLP_REFLECTIVE, TWLP_TRANSMISSIVE};

// The feeder becomes the light source; the film unit is off meanwhile.
void FeederOn() {
  ScanSettings& s = Settings();
  g_Session.FeederLoaded = true;
  g_Session.AutoFeed = true;
  s.ADF = 1;
  s.Mirror = 0;
  RecomputeGeometry(true);
}

// Back to the flatbed, or to the film unit when one is fitted (with
// `onlyIfReady`, when it also reports ready).
void FeederOff(bool onlyIfReady) {
  ScanSettings& s = Settings();
  g_Session.FeederLoaded = false;
  g_Session.AutoFeed = false;
  s.ADF = 0;
  bool film = ScannerHasFilmUnit();
  if (film && onlyIfReady) film = PrepareFsu();
  s.Mirror = film ? 1 : 0;
  s.MirrorType = int16_t(ScannerHasFilmUnit() ? g_ScanJob.FsuKind : 0);
  RecomputeGeometry(true);
}

// The WQ220 follows the paper: a feeder without paper is switched off, paper
// put in switches it on.
void FollowPaper() {
  const bool paper = FeederHasPaper();
  if (!paper && g_Session.FeederLoaded) FeederOff(true);
  else if (paper && !g_Session.FeederLoaded) FeederOn();
}

TW_UINT16 FeederLoadedRequired() {
  if (!ScannerHasFeeder() || !g_Session.FeederLoaded) return TWCC_BADCAP;
  return TWCC_SUCCESS;
}

}  // namespace

TW_UINT16 FeederEnabledProc(CapCall* c) {
  const int model = Settings().Model;
  if ((model != 0 && model != 2) || !ScannerHasFeeder()) return TWCC_BADCAP;
  switch (c->Msg) {
    case MSG_GET:
      if (model == 2) FollowPaper();
      return ReplyU16(c, g_Session.FeederLoaded);
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.FeederLoaded);
    case MSG_GETDEFAULT:
      if (model == 2) g_Session.FeederLoaded = FeederHasPaper();
      return ReplyU16(c, g_Session.FeederLoaded);
    case MSG_RESET:
      Settings().ADF = FeederHasPaper() ? 1 : 0;
      g_Session.FeederLoaded = false;
      g_Session.AutoFeed = false;
      g_Session.FeederSetByApp = false;
      return ReplyU16(c, 0);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne, TWCC_BADCAP, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  switch (v & 0xF) {
    case 1:
      FeederOn();
      break;
    case 0:
      if (g_Main.AlwaysAdf == 1) {
        // This installation always scans from the feeder.
        Settings().MirrorType = 0;
        FeederOn();
      } else {
        FeederOff(model == 2);
      }
      break;
    default:
      return TWCC_SUCCESS;  // neither on nor off: nothing to do
  }
  g_Session.FeederSetByApp = true;
  return TWCC_SUCCESS;
}

TW_UINT16 FeederLoadedProc(CapCall* c) {
  TW_UINT16 cc = FeederLoadedRequired();
  if (cc != TWCC_SUCCESS) return cc;
  return ReplyU16(c, FeederHasPaper() ? 1 : 0);
}

TW_UINT16 AutoFeedProc(CapCall* c) {
  TW_UINT16 cc = FeederLoadedRequired();
  if (cc != TWCC_SUCCESS) return cc;
  switch (c->Msg) {
    case MSG_GET:
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.AutoFeed);
    case MSG_GETDEFAULT: return ReplyU16(c, 1);
    case MSG_RESET:
      g_Session.AutoFeed = true;
      return ReplyU16(c, 1);
    default: break;
  }
  int32_t v = 0;
  cc = SetInteger(c, kTakesOne, TWCC_BADCAP, nullptr, &v);
  if (cc != TWCC_SUCCESS) return cc;
  g_Session.AutoFeed = (v & 1) != 0;
  g_Session.FeederSetByApp = true;
  Settings().ADF = 1;
  return TWCC_SUCCESS;
}

TW_UINT16 LightPathProc(CapCall* c) {
  if (!ScannerHasFilmUnit()) return TWCC_BADCAP;
  ScanSettings& s = Settings();
  // The WQ490's film unit is always in the light path.
  const bool wq490 = s.Model == 3;
  EnumTemplate& t = g_CapTemplates.LightPath;
  t.Items = wq490 ? kTransmissiveOnly : kBothPaths;
  t.NumItems = wq490 ? 1 : 2;
  t.DefaultIndex = 0;
  switch (c->Msg) {
    case MSG_GET: return ReplyEnum(c, &t, wq490 ? 0 : g_Session.FilmUnitOn ? 1 : 0);
    case MSG_GETCURRENT: return ReplyU16(c, g_Session.FilmUnitOn);
    case MSG_GETDEFAULT: return ReplyU16(c, wq490 ? 1 : 0);
    case MSG_RESET:
      g_Session.FilmUnitSetByApp = false;
      g_Session.FilmUnitOn = wq490;
      return ReplyU16(c, g_Session.FilmUnitOn);
    default: break;
  }
  int32_t v = 0;
  TW_UINT16 cc = SetInteger(c, kTakesOne | kTakesEnum, TWCC_BADCAP, &t, &v);
  if (cc != TWCC_SUCCESS) return cc;
  if (v == TWLP_TRANSMISSIVE) {
    if (!PrepareFsu()) return TWCC_BADVALUE;
    g_Session.FilmUnitOn = true;
    s.Mirror = 1;
  } else if (v == TWLP_REFLECTIVE) {
    if (wq490) return TWCC_BADCAP;
    g_Session.FilmUnitOn = false;
    s.Mirror = 0;
  } else {
    return TWCC_BADVALUE;
  }
  g_Session.FilmUnitSetByApp = true;
  RecomputeGeometry(true);
  return TWCC_SUCCESS;
}

}  // namespace wq
