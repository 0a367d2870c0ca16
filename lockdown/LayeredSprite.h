// A body drawn as a stack of sprites that can be switched on and off one by one (the
// guards' bodies: one layer per look, one shared by all).
#pragma once

#include <vector>

#include "lockdown/Sprite.h"

namespace lockdown {

struct Layer {
  Sprite sprite;
  int order = 1;
  // Take the parent's colour scheme when drawn.
  bool bFollowScheme = false;
};

class LayeredSprite : public Sprite {
 public:
  // The parent from a description, then each layer in order.
  bool Load(const SpriteInfo& description, const std::vector<Layer>& newLayers);
  // Cuts the parent and the layers from named sheet cells.
  bool Cut(const char* parentCell, const std::vector<const char*>& layerCells);
  void AppendLayer(const Layer& layer);
  void Draw(bool bThroughCamera);
  void Draw() override { Draw(false); }
  void SetFrame(int f);
  void ReleaseLayers();

  std::vector<Layer> layers;
  std::vector<unsigned char> activeLayers;

 protected:
  void OnNewColorScheme(const std::vector<int>& from, const std::vector<int>& to) override;
};

}  // namespace lockdown
