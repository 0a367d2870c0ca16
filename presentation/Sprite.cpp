#include "presentation/Sprite.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/Debug.h"
#include "core/Files.h"
#include "core/GameServices.h"
#include "core/GetParents.h"
#include "core/NumberRange.h"
#include "core/NumberText.h"
#include "core/Prefetch.h"
#include "core/RecordText.h"
#include "game/Console.h"
#include "geometry/PathNode.h"
#include "presentation/Mouse.h"
#include "presentation/Texture.h"
#include "presentation/View.h"

std::string imageExtension = "bmp";
bool bMouseGrabbed = false;
// The camera's centre as it is built: the middle of the 800 by 600 screen.
Point starfieldCenter(400, 300);
Point previousViewCenter(400, 300);
Point previousViewCenter2(400, 300);

int Sprite::nextId = 0;

void grabMouse() { bMouseGrabbed = true; }
void releaseMouse() { bMouseGrabbed = false; }

namespace {
// An image name without its extension: the part after the last dot of the file name itself,
// so that dots in folder names are kept.
std::string imageStem(std::string const& name) {
  size_t dot = name.rfind('.');
  size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
  return name.substr(0, dot);
}

std::string imageExtensionOf(std::string const& name) {
  return name.substr(imageStem(name).size());
}
}  // namespace

Sprite::Sprite()
    : defaultAnim(-1),
      currentAnim(-1),
      id(nextId++),
      frame(0),
      bReflect(false),
      angle(0),
      angleInc(0),
      animSpeed(11),
      bDefaultAnimDone(false),
      bActive(true),
      bOverideMouseGrab(false),
      scale(1.0f),
      bFlipVertical(false),
      bFlipHorizontal(false) {}

// A copy is a new sprite: its own id, first frame and no turn, but the source's images, size,
// place and flips. It also keeps the source's activity, mouse override and scale.
Sprite::Sprite(Sprite const& other)
    : Collider(),
      defaultAnim(-1),
      currentAnim(-1),
      anims(other.anims),
      id(nextId++),
      frame(0),
      bReflect(false),
      angle(0),
      angleInc(0),
      animSpeed(other.animSpeed),
      bDefaultAnimDone(false),
      bActive(other.bActive),
      bOverideMouseGrab(other.bOverideMouseGrab),
      scale(other.scale),
      bFlipVertical(other.bFlipVertical),
      bFlipHorizontal(other.bFlipHorizontal) {
  setRect(other.getLeft(), other.getTop(), other.getRight(), other.getBottom());
  if (other.defaultAnim != -1)
    loadAnimation(other.anims.at(other.defaultAnim).name, false, ".bmp");
  else
    frames = other.frames;
  if (other.currentAnim != -1)
    recordError("Error: sprite copy constructor not set up to handle currentAnim");
}

void Sprite::draw() {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  if (frames.empty()) {
    recordError("Error: sprite has no frames:", getType(this));
    // The outline must not be drawn with whatever texture is bound.
    glDisable(GL_TEXTURE_2D);
    SimpleRect::draw();
    return;
  }
  // A sprite that cannot reach the screen leaves the blending its drawing would have left
  // for the draws after it; nothing else of its drawing outlives it.
  if (!view.mayShowAround(getCenter(), std::hypot(getWidth(), getHeight()) / 2)) {
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_TEXTURE_2D);
    return;
  }
  int chosen = chooseFrame();

  // The corners are kept as points: a rectangle built here would draw its random colours from
  // the game's random sequence at every draw.
  Point placed[4] = {topLeft, topRight, bottomRight, bottomLeft};
  Point center = getCenter();
  view.mapToView(center);
  setCenter(static_cast<float>(center.x), static_cast<float>(center.y));
  float savedAngle = angle;
  float savedScale = scale;
  angle = angle - static_cast<float>(view.getAngle());
  scale = static_cast<float>(view.getScale());

  // Additive: black adds nothing, overlaps brighten.
  glBlendFunc(GL_ONE, GL_ONE);
  drawTexture(frames[chosen], getWidth() * scale, getHeight() * scale);

  setRect(placed[0], placed[1], placed[2], placed[3]);
  angle = savedAngle;
  scale = savedScale;
  glDisable(GL_TEXTURE_2D);
}

int Sprite::chooseFrame() {
  int chosen = frame >= 0 && frame < static_cast<int>(frames.size()) ? frame : 0;
  std::string variant;
  if (!bActive)
    variant = "Inactive";
  else if (isPtInRect(static_cast<float>(mouse.x), static_cast<float>(mouse.y)) &&
           (!bMouseGrabbed || bOverideMouseGrab))
    variant = "Mouse";
  if (variant.empty()) return chosen;
  std::string wanted = imageStem(textures.at(frames[chosen]).getName()) + variant;
  for (size_t i = 0; i < frames.size(); i++)
    if (imageStem(textures.at(frames[i]).getName()) == wanted) return static_cast<int>(i);
  return chosen;
}

void Sprite::drawTexture(int index, Rect const& scaledRect) {
  drawTexture(index, scaledRect.getWidth(), scaledRect.getHeight());
}

void Sprite::drawTexture(int index, float width, float height) {
  glBindTexture(GL_TEXTURE_2D, textures.at(index).getGLTexture());
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Point center = getCenter();
  glTranslatef(static_cast<float>(center.x), static_cast<float>(center.y), 0);
  // Turned counterclockwise on the y-down screen as the angle grows.
  if (angle != 0) glRotatef(-angle, 0, 0, 1);
  float halfWidth = width / 2;
  float halfHeight = height / 2;
  float sLeft = 0, sRight = 1, tTop = 0, tBottom = 1;
  if (bFlipHorizontal) std::swap(sLeft, sRight);
  if (bFlipVertical) std::swap(tTop, tBottom);
  glBegin(GL_QUADS);
  glTexCoord2f(sLeft, tTop);
  glVertex2f(-halfWidth, -halfHeight);
  glTexCoord2f(sRight, tTop);
  glVertex2f(halfWidth, -halfHeight);
  glTexCoord2f(sRight, tBottom);
  glVertex2f(halfWidth, halfHeight);
  glTexCoord2f(sLeft, tBottom);
  glVertex2f(-halfWidth, halfHeight);
  glEnd();
}

bool Sprite::isClicked() const { return Shape::isClicked() && bActive; }

void Sprite::process() {
  angle += angleInc;
  Collider::process();
}

// Every ship of a type and every fence post asks for the same image name, and resolving a name
// (its extension, its texture, the files of its optional variants) is string work. A name's
// answer is kept once everything in it loaded: loaded textures and the answers of
// imageFileExists stay for the run. A load that failed somewhere is not kept, so that it is
// tried, and logged, again as before.
namespace {
std::unordered_map<std::string, Sprite::FrameLoad>& resolvedFrames() {
  static std::unordered_map<std::string, Sprite::FrameLoad> resolved;
  return resolved;
}
}  // namespace

void Sprite::forgetResolvedFrames() { resolvedFrames().clear(); }

void Sprite::loadFrame(std::string const& s, bool bHandleError) {
  std::unordered_map<std::string, FrameLoad>& resolved = resolvedFrames();
  auto found = resolved.find(s);
  if (found != resolved.end()) {
    if (isCurrent(found->second)) {
      addFrames(found->second);
      return;
    }
    resolved.erase(found);
  }
  FrameLoad load;
  bool const bComplete = resolveLoad(s, bHandleError, load);
  if (load.index == -1) return;
  addFrames(load);
  if (bComplete) resolved.emplace(s, std::move(load));
}

bool Sprite::resolveLoad(std::string const& s, bool bHandleError, FrameLoad& load) {
  load.file = s;
  if (load.file.find('.') == std::string::npos) load.file += "." + imageExtension;
  load.index = getTextureIndex(load.file, bHandleError);
  if (load.index == -1) return false;
  bool bComplete = true;
  std::string const stem = imageStem(load.file);
  std::string const extension = load.file.substr(stem.size());
  for (char const* addition : {"Mask", "Inactive", "Mouse"}) {
    std::string const variant = stem + addition + extension;
    if (!imageFileExists(variant)) continue;
    FrameLoad variantLoad;
    bComplete = resolveLoad(variant, true, variantLoad) && bComplete;
    if (variantLoad.index != -1) load.variants.push_back(std::move(variantLoad));
  }
  return bComplete;
}

// The cache of textures only grows, but a kept answer is checked against it all the same.
bool Sprite::isCurrent(FrameLoad const& load) {
  if (load.index < 0 || load.index >= static_cast<int>(textures.size()) ||
      textures[load.index].getName() != load.file)
    return false;
  for (FrameLoad const& variant : load.variants)
    if (!isCurrent(variant)) return false;
  return true;
}

// The image becomes a frame and the sprite takes its size; each variant follows in the same
// way; the centre ends where it was.
void Sprite::addFrames(FrameLoad const& load) {
  frames.push_back(load.index);
  Point center = getCenter();
  Texture const& texture = textures.at(load.index);
  setRect(getLeft(), getTop(), getLeft() + texture.getWidth(), getTop() + texture.getHeight());
  for (FrameLoad const& variant : load.variants) addFrames(variant);
  setCenter(static_cast<float>(center.x), static_cast<float>(center.y));
}

void Sprite::loadFrameIfExists(std::string const& addition, std::string const& filename) {
  std::string variant = imageStem(filename) + addition + imageExtensionOf(filename);
  if (imageFileExists(variant)) loadFrame(variant, true);
}

void Sprite::loadFrames(std::vector<std::string> const& filenames, bool bReflection) {
  for (std::string const& name : filenames) loadFrame(name, bReflection);
}

void Sprite::setFlip(bool bHoriz, bool bVert) {
  bFlipHorizontal = bHoriz;
  bFlipVertical = bVert;
}

Animation* Sprite::getAnim(std::string const& name) {
  for (Animation& anim : anims)
    if (anim.name == name) return &anim;
  recordError("Unknown anim name:", name);
  // Without any animation there is nothing to fall back on; callers check.
  if (anims.empty()) return nullptr;
  return &anims.front();
}

Animation* Sprite::getDefaultAnim() { return defaultAnim == -1 ? nullptr : &anims[defaultAnim]; }

Animation* Sprite::getCurrentAnim() { return currentAnim == -1 ? nullptr : &anims[currentAnim]; }

void Sprite::setDefaultAnim(std::string const& name) {
  if (defaultAnim != -1 && anims[defaultAnim].name == name) return;
  Animation* anim = getAnim(name);
  if (!anim) return;
  anim->reset();
  anim->timePerFrame = animSpeed;
  defaultAnim = static_cast<int>(anim - anims.data());
}

void Sprite::setCurrentAnim(std::string const& name) {
  if (currentAnim != -1 && anims[currentAnim].name == name) return;
  Animation* anim = getAnim(name);
  if (!anim) return;
  anim->reset();
  currentAnim = static_cast<int>(anim - anims.data());
}

void Sprite::setAnimSpeed(int speed) {
  animSpeed = speed;
  if (defaultAnim != -1) anims[defaultAnim].timePerFrame = speed;
}

void Sprite::addAnim(std::string const& name, std::vector<int> const& frameList) {
  anims.push_back(Animation(name, frameList));
}

void Sprite::loadAnimation(std::vector<std::string> const& filenames, bool bReflection,
                           std::string const& name) {
  loadFrames(filenames, bReflection);
  int count = static_cast<int>(frames.size());
  int first = std::max(0, count - static_cast<int>(filenames.size()));
  std::vector<int> positions;
  for (int i = first; i < count; i++) positions.push_back(i);
  anims.push_back(Animation(name, positions));
  if (defaultAnim == -1) setDefaultAnim(name);
}

void Sprite::loadAnimation(std::string const& name, bool bReflection,
                           std::string const& extension) {
  std::vector<std::string> found;
  for (int counter = 1;; counter++) {
    std::string file = name + std::to_string(counter) + extension;
    if (!fileExists(file)) break;
    found.push_back(file);
  }
  if (found.empty()) {
    recordError("Couldn't find any frames for default anim named: " + name);
    return;
  }
  loadAnimation(found, bReflection, name);
}

void Sprite::processAnim(bool bLoopDefault) {
  if (currentAnim != -1) {
    Animation& current = anims[currentAnim];
    if (!current.process()) {
      current.reset();
      currentAnim = -1;
      frame = defaultAnim != -1 ? anims[defaultAnim].getFrame() : 0;
    } else {
      frame = current.getFrame();
    }
    return;
  }
  if (defaultAnim == -1) return;
  Animation& anim = anims[defaultAnim];
  if (!anim.process()) {
    bDefaultAnimDone = true;
    if (bLoopDefault) anim.reset();
  } else {
    bDefaultAnimDone = false;
  }
  frame = anim.getFrame();
}

bool Sprite::animDone() {
  if (currentAnim != -1) return anims[currentAnim].currentFrame == anims[currentAnim].size() - 1;
  if (defaultAnim != -1) return bDefaultAnimDone;
  return false;
}

void Sprite::activateAnim(std::string const& name) {
  Animation* anim = getAnim(name);
  if (!anim) return;
  anim->reset();
  for (;;) {
    if (!miniLoop(gameState)) return;
    if (!anim->process()) return;
    frame = anim->getFrame();
    draw();
  }
}

ParallaxSprite::ParallaxSprite() : parallax(1.0f), scroll(1.0f) {}

ParallaxSprite::ParallaxSprite(ParallaxSprite const& other)
    : Sprite(other), parallax(other.parallax), scroll(other.scroll) {}

void ParallaxSprite::draw() {
  Point viewCenter = view.getCenter();
  float moveX = static_cast<float>(previousViewCenter.x - viewCenter.x);
  float moveY = static_cast<float>(previousViewCenter.y - viewCenter.y);
  starfieldCenter.x -= scroll * moveX / parallax;
  starfieldCenter.y -= scroll * moveY / parallax;

  // Kept as numbers, not as a rectangle, for the same reason as in Sprite::draw.
  float savedLeft = view.getLeft(), savedTop = view.getTop();
  float savedRight = view.getRight(), savedBottom = view.getBottom();
  view.setCenter(static_cast<float>(starfieldCenter.x), static_cast<float>(starfieldCenter.y));
  view.setWidth(view.getWidth() * parallax);
  view.setHeight(view.getHeight() * parallax);
  Sprite::draw();
  view.setRect(savedLeft, savedTop, savedRight, savedBottom);

  viewCenter = view.getCenter();
  if (viewCenter != previousViewCenter2) previousViewCenter = viewCenter;
  previousViewCenter2 = viewCenter;
}

// A malformed record leaves the sprite where reading stopped, with its own images, so that it
// still shows; the path record is read only after a complete centre and angle.
void LoadableSprite::initFromFile(std::istream& in) {
  float x = 0, y = 0;
  if (!readNumberIn(readNumberIn(in, x, kCoordinateRange, "sprite x"), y, kCoordinateRange,
                    "sprite y")) {
    recordError("Error: sprite record ended before its centre");
    loadDefaultFrames();
    return;
  }
  setCenter(x, y);
  std::streampos beforeWord = in.tellg();
  std::string word;
  if (in >> word && word == "<angle>") {
    float newAngle = 0;
    if (!readNumberIn(in, newAngle, kAngleRange, "sprite angle")) {
      recordError("Error: sprite record ended before its angle");
      loadDefaultFrames();
      return;
    }
    setAngle(newAngle);
    std::streampos afterAngle = in.tellg();
    std::string closing;
    if (!(in >> closing) || closing != "</angle>") {
      recordError("Error: </angle> not detected");
      // Whatever stood there belongs to the path record.
      in.clear();
      in.seekg(afterAngle);
    }
  } else {
    in.clear();
    in.seekg(beforeWord);
  }
  loadDefaultFrames();
  PathFollower::initFromFile(in);
}

void LoadableSprite::saveToFile(std::ostream& out) {
  // The path's nodes are on their way while the sprite's own numbers are written. Measured
  // with the same ask in PathFollower::saveToFile: qor_level_bench BM_LevelText/100000 takes
  // about 100 ms of CPU instead of 150 (medians of four runs).
  prefetchEach(pathNodes.getVect());
  RecordText text(out);
  text.number(getXCenter()).character(' ').number(getYCenter());
  text.word("\n<angle>\n").number(getAngle()).word("\n</angle>\n");
  appendPathRecord(text);
}
