#include "lockdown/Targeter.h"

#include <cstdlib>

#include "lockdown/Camera.h"
#include "lockdown/Headings.h"
#include "lockdown/Log.h"
#include "lockdown/Object.h"
#include "lockdown/World.h"
#include "lockdown/WorldSprites.h"

namespace lockdown {

Targeter::Targeter() { mover.Init(0, 0, 16.0, 255, 20, 20, true); }

void Targeter::Update() {
  if (!user) {
    LogMessage("Error: no user specified for targeter");
    return;
  }
  int ux = user->GetX(), uy = user->GetY();
  candidates.clear();
  for (PtrList<Object>::Cursor c(enemyList); !c.AtEnd(); c.Next()) {
    Object* o = c.Current();
    if (!Live(o) || o->Get("IsActive") == 0) continue;
    int d = Distance(ux, uy, static_cast<int>(o->Get("x")), static_cast<int>(o->Get("y")));
    if (d < range && d != 0) candidates.push_back(o);
  }
  target = nullptr;
  int best = 0;
  for (Object* o : candidates) {
    Mover ray(ux, uy, static_cast<int>(o->Get("TargetX")), static_cast<int>(o->Get("TargetY")));
    int travelled = 0;
    if (!TraceRay(ray, false, &travelled)) continue;
    if (!target || travelled < best) {
      target = o;
      best = travelled;
    }
  }
  if (!target && enemyList.Contains(previousTarget) && Live(previousTarget) &&
      previousTarget->Get("IsActive") != 0 &&
      camera.view.Contains(static_cast<int>(previousTarget->Get("x")),
                           static_cast<int>(previousTarget->Get("y"))))
    target = previousTarget;
  previousTarget = target;
  if (target) {
    int tx = static_cast<int>(target->Get("TargetX")),
        ty = static_cast<int>(target->Get("TargetY"));
    if (std::abs(tx - lastTargetX) > 2 || std::abs(ty - lastTargetY) > 2) {
      lastTargetX = tx;
      lastTargetY = ty;
    }
    if (bLocked) {
      mover.SetPosition(lastTargetX, lastTargetY);
    } else {
      mover.SetTarget(lastTargetX, lastTargetY);
      mover.Step();
      if (mover.AtTarget()) bLocked = true;
    }
  } else {
    mover.SetPosition(ux, uy);
    bLocked = false;
  }
}

void Targeter::Draw() {
  if (!target) return;
  Sprite& s = worldSprites.reticle;
  s.frame = 0;
  s.x = mover.left;
  s.y = mover.top;
  camera.DrawSprite(s);
}

}  // namespace lockdown
