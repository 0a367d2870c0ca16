#include "lockdown/LayeredSprite.h"

#include "lockdown/Camera.h"
#include "lockdown/Log.h"
#include "lockdown/SheetLayout.h"

namespace lockdown {

void LayeredSprite::AppendLayer(const Layer& layer) {
  if (!layers.empty() && layer.order < layers.back().order)
    LogMessage("Layer passed to loadLayers in incorrect order");
  layers.push_back(layer);
}

bool LayeredSprite::Load(const SpriteInfo& description, const std::vector<Layer>& newLayers) {
  bool bOk = InitFrom(description);
  layers.clear();
  for (const Layer& layer : newLayers) AppendLayer(layer);
  activeLayers.assign(layers.size(), 0);
  return bOk;
}

bool LayeredSprite::Cut(const char* parentCell, const std::vector<const char*>& layerCells) {
  bool bOk = CutSprite(*this, parentCell);
  layers.clear();
  for (const char* name : layerCells) {
    Layer layer;
    bOk = CutSprite(layer.sprite, name) && bOk;
    AppendLayer(layer);
  }
  activeLayers.assign(layers.size(), 0);
  return bOk;
}

void LayeredSprite::Draw(bool bThroughCamera) {
  int sx = x, sy = y;
  if (bThroughCamera) {
    sx -= camera.view.left;
    sy -= camera.view.top;
  }
  if (layers.empty()) {
    x = sx;
    y = sy;
    Sprite::Draw();
    return;
  }
  if (activeLayers.size() != layers.size()) {
    LogMessage("active layer's length is not equal to layer's length in drawLayers()");
    return;
  }
  bool bParentDrawn = false;
  for (size_t i = 0; i < layers.size(); ++i) {
    Layer& layer = layers[i];
    if (!bParentDrawn && layer.order > 0) {
      x = sx;
      y = sy;
      Sprite::Draw();
      bParentDrawn = true;
    }
    if (!activeLayers[i]) continue;
    layer.sprite.x = sx;
    layer.sprite.y = sy;
    if (layer.bFollowScheme) layer.sprite.colorScheme = colorScheme;
    layer.sprite.Draw();
  }
}

void LayeredSprite::SetFrame(int f) {
  frame = f;
  for (Layer& layer : layers) layer.sprite.frame = f;
}

void LayeredSprite::OnNewColorScheme(const std::vector<int>& from, const std::vector<int>& to) {
  for (Layer& layer : layers) layer.sprite.NewColorScheme(from, to);
}

void LayeredSprite::ReleaseLayers() {
  Release();
  for (Layer& layer : layers) layer.sprite.Release();
}

}  // namespace lockdown
