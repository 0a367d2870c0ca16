// Sprites: colliding rectangles drawn as one textured quad through the camera, with additive
// blending so that black is transparent. A sprite's frames are indexes into the texture cache;
// an image's "Inactive" and "Mouse" variants replace it while the sprite is inactive or under
// the mouse. ParallaxSprite draws as if deeper than the world (the star field); LoadableSprite
// adds the record of level files and the hook that loads a class's own images.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/Collider.h"
#include "presentation/Animation.h"

// Appended as "." plus it to image names without an extension.
extern std::string imageExtension;
// While the mouse is grabbed by a prompt, sprites show their "Mouse" variant only on override.
extern bool bMouseGrabbed;
void grabMouse();
void releaseMouse();

// Shared by every parallax sprite: where the parallax layer is centred, and the camera centres
// by which the first parallax sprite of a frame tells that the camera moved.
extern Point starfieldCenter;
extern Point previousViewCenter;
extern Point previousViewCenter2;

class Sprite : public Collider {
 public:
  Sprite();
  // A new sprite of the source's images, size, place and flips (see the .cpp).
  Sprite(Sprite const& other);
  Sprite& operator=(Sprite const& other) = default;

  void draw() override;
  bool isClicked() const override;
  virtual void process();

  // Adds the image (".bmp" assumed without an extension) and its variants as frames; the
  // sprite takes the size of the last image added and keeps its centre.
  void loadFrame(std::string const& s, bool bHandleError = true);
  // The variant named by filename with addition before its extension, when that file exists.
  void loadFrameIfExists(std::string const& addition, std::string const& filename);
  void loadFrames(std::vector<std::string> const& filenames, bool bReflection);

  void setFlip(bool bHoriz, bool bVert);
  void flipHorizontal() { bFlipHorizontal = !bFlipHorizontal; }
  void flipVertical() { bFlipVertical = !bFlipVertical; }
  void setAngle(float newAngle) { angle = newAngle; }
  float getAngle() const { return angle; }
  void setAngleInc(float newInc) { angleInc = newInc; }
  void setAngleVel(float newVel) { angleInc = newVel; }
  void setActivity(bool newVal) { bActive = newVal; }
  void overideMouseGrab() { bOverideMouseGrab = true; }

  // Texture index of the cache as a quad the size of scaledRect about the sprite's centre.
  void drawTexture(int index, Rect const& scaledRect);
  // The same for a quad of that width and height.
  void drawTexture(int index, float width, float height);

  // Animations. getAnim gives null when the sprite has none at all.
  Animation* getAnim(std::string const& name);
  void setDefaultAnim(std::string const& name);
  void setCurrentAnim(std::string const& name);
  void setAnimSpeed(int speed);
  void addAnim(std::string const& name, std::vector<int> const& frames);
  void loadAnimation(std::vector<std::string> const& filenames, bool bReflection,
                     std::string const& name);
  // Files named name1.ext, name2.ext ... as long as they exist.
  void loadAnimation(std::string const& name, bool bReflection, std::string const& extension);
  void processAnim(bool bLoopDefault);
  bool animDone();
  // Plays the animation to its end on the one-frame pump while the world stands still.
  void activateAnim(std::string const& name);
  Animation* getDefaultAnim();
  Animation* getCurrentAnim();

  std::vector<int> const& getFrames() const { return frames; }
  int getId() const { return id; }
  bool isActive() const { return bActive; }
  bool isFlippedHorizontally() const { return bFlipHorizontal; }
  bool isFlippedVertically() const { return bFlipVertical; }

  static int nextId;

  // What loading an image name adds: its texture (the file name as loaded and its index) and
  // then, in order, the loads of its variants that exist.
  struct FrameLoad {
    std::string file;
    int index = -1;
    std::vector<FrameLoad> variants;
  };
  // For tests, which write images between runs of the game: every name is resolved afresh.
  static void forgetResolvedFrames();

 protected:
  // The frame position draw starts from, before the variants are looked up.
  int chooseFrame();
  // Resolves the name without touching the sprite; false when some texture of it failed.
  static bool resolveLoad(std::string const& s, bool bHandleError, FrameLoad& load);
  static bool isCurrent(FrameLoad const& load);
  void addFrames(FrameLoad const& load);

  // Indexes into anims; -1 for none. Indexes stay valid as the list only grows.
  int defaultAnim;
  int currentAnim;
  std::vector<Animation> anims;
  int id;
  int frame;
  bool bReflect;
  std::vector<int> frames;
  float angle;
  float angleInc;
  int animSpeed;
  bool bDefaultAnimDone;
  bool bActive;
  bool bOverideMouseGrab;
  float scale;
  bool bFlipVertical;
  bool bFlipHorizontal;
};

class ParallaxSprite : public Sprite {
 public:
  ParallaxSprite();
  ParallaxSprite(ParallaxSprite const& other);
  ParallaxSprite& operator=(ParallaxSprite const& other) = default;

  void draw() override;

  void setParallax(float val) { parallax = val; }
  void setParallax(float val, float scrollval) {
    parallax = val;
    scroll = scrollval;
  }
  float getParallax() const { return parallax; }
  float getScroll() const { return scroll; }

 protected:
  // How much deeper than the world the sprite lies; 1 is the world's own depth.
  float parallax;
  // How strongly the camera's motion moves the parallax layer.
  float scroll;
};
class LoadableSprite : public ParallaxSprite {
 public:
  // The record: the centre, the angle between "<angle>" and "</angle>", the path.
  void initFromFile(std::istream& in) override;
  void saveToFile(std::ostream& out) override;
  // Each class loads its own images.
  virtual void loadDefaultFrames() = 0;
};
