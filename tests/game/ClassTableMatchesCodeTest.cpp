// The class table shipped in "heirarchy.hcy" and the classes of the code tell one story: every
// parent the file names is a real base of its class, and every class's run-time name is the
// name the file uses for it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "core/Activatable.h"
#include "core/Creatable.h"
#include "core/Editable.h"
#include "core/GetParents.h"
#include "core/IdObj.h"
#include "core/MultiListed.h"
#include "core/ObjectManager.h"
#include "core/Persistant.h"
#include "core/SaveLoad.h"
#include "core/Xml.h"
#include "editor/Editor.h"
#include "editor/EditorTool.h"
#include "editor/FenceTool.h"
#include "editor/HoloDisplayTool.h"
#include "editor/LineTool.h"
#include "editor/ModifyTool.h"
#include "editor/PathTool.h"
#include "editor/QorEditor.h"
#include "game/Agent.h"
#include "game/AgentState.h"
#include "game/Barrier.h"
#include "game/Eso.h"
#include "game/Explosion.h"
#include "game/Fence.h"
#include "game/FenceNode.h"
#include "game/GameStates.h"
#include "game/Gun.h"
#include "game/HoloDisplay.h"
#include "game/HomingMissle.h"
#include "game/Item.h"
#include "game/Line.h"
#include "game/Looker.h"
#include "game/Obstacle.h"
#include "game/PlayerShip.h"
#include "game/Projectile.h"
#include "game/QorObjMan.h"
#include "game/Regions.h"
#include "game/Ship.h"
#include "game/SpaceObject.h"
#include "game/Tile.h"
#include "game/Visible.h"
#include "game/XmlShip.h"
#include "geometry/Circle.h"
#include "geometry/Collider.h"
#include "geometry/Collisions.h"
#include "geometry/Mobile.h"
#include "geometry/Node.h"
#include "geometry/PathFinder.h"
#include "geometry/PathFollower.h"
#include "geometry/PathNode.h"
#include "geometry/QuadTree.h"
#include "geometry/Rect.h"
#include "geometry/Regions.h"
#include "geometry/SelectRect.h"
#include "geometry/Shape.h"
#include "geometry/SimpleRect.h"
#include "geometry/Triangle.h"
#include "presentation/Animation.h"
#include "presentation/Button.h"
#include "presentation/EditableSprite.h"
#include "presentation/InputBox.h"
#include "presentation/Messages.h"
#include "presentation/ProgressBar.h"
#include "presentation/SelectionMenu.h"
#include "presentation/Sprite.h"
#include "presentation/View.h"
#include "presentation/Window.h"

namespace {
struct Link {
  char const* type;
  char const* parent;
  bool bIsBase;
};

std::vector<Link> const& codeLinks() {
  static std::vector<Link> const links = {
      {"AttackState", "AgentState", std::is_base_of<AgentState, AttackState>::value},
      {"Barrier", "Obstacle", std::is_base_of<Obstacle, Barrier>::value},
      {"Barrier", "Shootable", std::is_base_of<Shootable, Barrier>::value},
      {"Barrier", "Rect", std::is_base_of<Rect, Barrier>::value},
      {"Barrier", "Creatable2d", std::is_base_of<Creatable2d, Barrier>::value},
      {"Bullet", "Projectile", std::is_base_of<Projectile, Bullet>::value},
      {"Button", "Rect", std::is_base_of<Rect, Button>::value},
      {"ChoiceRect", "Rect", std::is_base_of<Rect, ChoiceRect>::value},
      {"Circle", "Shape", std::is_base_of<Shape, Circle>::value},
      {"Collider", "Rect", std::is_base_of<Rect, Collider>::value},
      {"CommandState", "GameState", std::is_base_of<GameState, CommandState>::value},
      {"Creatable", "MultiListed", std::is_base_of<MultiListed, Creatable>::value},
      {"Creatable2d", "Creatable", std::is_base_of<Creatable, Creatable2d>::value},
      {"DrawRegions", "Regions", std::is_base_of<Regions, DrawRegions>::value},
      {"Editable", "SaveLoad", std::is_base_of<SaveLoad, Editable>::value},
      {"Editable", "VoidSelectable", std::is_base_of<VoidSelectable, Editable>::value},
      {"EditableSprite", "LoadableSprite", std::is_base_of<LoadableSprite, EditableSprite>::value},
      {"EditableSprite", "Editable", std::is_base_of<Editable, EditableSprite>::value},
      {"Editor", "GameState", std::is_base_of<GameState, Editor>::value},
      {"Eso", "Obstacle", std::is_base_of<Obstacle, Eso>::value},
      {"Eso", "EditableSprite", std::is_base_of<EditableSprite, Eso>::value},
      {"Explosion", "Creatable2d", std::is_base_of<Creatable2d, Explosion>::value},
      {"Fence", "Rect", std::is_base_of<Rect, Fence>::value},
      {"Fence", "Obstacle", std::is_base_of<Obstacle, Fence>::value},
      {"Fence", "Creatable2d", std::is_base_of<Creatable2d, Fence>::value},
      {"Fence", "Shootable", std::is_base_of<Shootable, Fence>::value},
      {"FenceNode", "SpaceObject", std::is_base_of<SpaceObject, FenceNode>::value},
      {"FenceNode", "Node", std::is_base_of<Node, FenceNode>::value},
      {"FenceTool", "EditorTool", std::is_base_of<EditorTool, FenceTool>::value},
      {"FinishLine", "Line", std::is_base_of<Line, FinishLine>::value},
      {"HoloDisplay", "XmlShip", std::is_base_of<XmlShip, HoloDisplay>::value},
      {"HoloDisplayTool", "EditorTool", std::is_base_of<EditorTool, HoloDisplayTool>::value},
      {"HomingMissle", "Projectile", std::is_base_of<Projectile, HomingMissle>::value},
      {"HomingMissleGun", "ShipGun", std::is_base_of<ShipGun, HomingMissleGun>::value},
      {"InputBox", "Rect", std::is_base_of<Rect, InputBox>::value},
      {"Item", "Activatable", std::is_base_of<Activatable, Item>::value},
      {"Item", "Persistant", std::is_base_of<Persistant, Item>::value},
      {"Item", "Editable", std::is_base_of<Editable, Item>::value},
      {"Line", "TypedIdObj", std::is_base_of<TypedIdObj, Line>::value},
      {"LineTool", "EditorTool", std::is_base_of<EditorTool, LineTool>::value},
      {"LoadableSprite", "ParallaxSprite", std::is_base_of<ParallaxSprite, LoadableSprite>::value},
      {"LocalState", "GameState", std::is_base_of<GameState, LocalState>::value},
      {"MenuItem", "Rect", std::is_base_of<Rect, MenuItem>::value},
      {"ModifyTool", "EditorTool", std::is_base_of<EditorTool, ModifyTool>::value},
      {"MoveToward", "MovementType", std::is_base_of<MovementType, MoveToward>::value},
      {"ObjMan2d", "ObjectManager", std::is_base_of<ObjectManager, ObjMan2d>::value},
      {"Obstacle", "QuadTreeObject", std::is_base_of<QuadTreeObject, Obstacle>::value},
      {"OnRailsState", "AgentState", std::is_base_of<AgentState, OnRailsState>::value},
      {"ParallaxSprite", "Sprite", std::is_base_of<Sprite, ParallaxSprite>::value},
      {"ParameterGun", "Gun", std::is_base_of<Gun, ParameterGun>::value},
      {"ParameterGun", "XmlObject", std::is_base_of<XmlObject, ParameterGun>::value},
      {"ParameterProjectile", "Projectile",
       std::is_base_of<Projectile, ParameterProjectile>::value},
      {"ParameterProjectile", "XmlObject", std::is_base_of<XmlObject, ParameterProjectile>::value},
      {"PathFollower", "VerletMobile", std::is_base_of<VerletMobile, PathFollower>::value},
      {"PathNode", "Node", std::is_base_of<Node, PathNode>::value},
      {"PathNode", "Rect", std::is_base_of<Rect, PathNode>::value},
      {"PathNode", "VoidSelectable", std::is_base_of<VoidSelectable, PathNode>::value},
      {"PathTool", "EditorTool", std::is_base_of<EditorTool, PathTool>::value},
      {"Pathfinder", "SimpleMobile", std::is_base_of<SimpleMobile, Pathfinder>::value},
      {"PlayerShip", "XmlShip", std::is_base_of<XmlShip, PlayerShip>::value},
      {"ProgressBar", "Rect", std::is_base_of<Rect, ProgressBar>::value},
      {"Projectile", "Sprite", std::is_base_of<Sprite, Projectile>::value},
      {"Projectile", "Visible", std::is_base_of<Visible, Projectile>::value},
      {"Projectile", "Creatable2d", std::is_base_of<Creatable2d, Projectile>::value},
      {"QorEditor", "Editor", std::is_base_of<Editor, QorEditor>::value},
      {"QorObjMan", "ObjMan2d", std::is_base_of<ObjMan2d, QorObjMan>::value},
      {"QuadTreeNode", "Rect", std::is_base_of<Rect, QuadTreeNode>::value},
      {"Rect", "SimpleRect", std::is_base_of<SimpleRect, Rect>::value},
      {"RectWindow", "Rect", std::is_base_of<Rect, RectWindow>::value},
      {"RectWindow", "Window", std::is_base_of<Window, RectWindow>::value},
      {"ReflectGun", "ShipGun", std::is_base_of<ShipGun, ReflectGun>::value},
      {"SaveLoad", "Creatable2d", std::is_base_of<Creatable2d, SaveLoad>::value},
      {"SelectRect", "Rect", std::is_base_of<Rect, SelectRect>::value},
      {"Shape", "PathFollower", std::is_base_of<PathFollower, Shape>::value},
      {"Shape", "SimpleMobile", std::is_base_of<SimpleMobile, Shape>::value},
      {"Ship", "Shootable", std::is_base_of<Shootable, Ship>::value},
      {"Ship", "SpaceObject", std::is_base_of<SpaceObject, Ship>::value},
      {"Ship", "GunUser", std::is_base_of<GunUser, Ship>::value},
      {"Ship", "Agent", std::is_base_of<Agent, Ship>::value},
      {"Ship", "Looker", std::is_base_of<Looker, Ship>::value},
      {"ShipGun", "ParameterGun", std::is_base_of<ParameterGun, ShipGun>::value},
      {"Shootable", "Collidable", std::is_base_of<Collidable, Shootable>::value},
      {"SimpleMobile", "Mobile", std::is_base_of<Mobile, SimpleMobile>::value},
      {"SimpleRect", "Shape", std::is_base_of<Shape, SimpleRect>::value},
      {"SingleRegion", "Rect", std::is_base_of<Rect, SingleRegion>::value},
      {"SpaceObject", "EditableSprite", std::is_base_of<EditableSprite, SpaceObject>::value},
      {"SpaceObject", "IdObj", std::is_base_of<IdObj, SpaceObject>::value},
      {"SpaceObject", "BarrierCreator", std::is_base_of<BarrierCreator, SpaceObject>::value},
      {"Sprite", "Collider", std::is_base_of<Collider, Sprite>::value},
      {"SpriteWindow", "Sprite", std::is_base_of<Sprite, SpriteWindow>::value},
      {"SpriteWindow", "Window", std::is_base_of<Window, SpriteWindow>::value},
      {"Tile", "Obstacle", std::is_base_of<Obstacle, Tile>::value},
      {"Tile", "Shootable", std::is_base_of<Shootable, Tile>::value},
      {"Tile", "Rect", std::is_base_of<Rect, Tile>::value},
      {"Tile", "Editable", std::is_base_of<Editable, Tile>::value},
      {"TileRegion", "Rect", std::is_base_of<Rect, TileRegion>::value},
      {"TransState", "GameState", std::is_base_of<GameState, TransState>::value},
      {"Triangle", "Shape", std::is_base_of<Shape, Triangle>::value},
      {"TriggerLine", "Line", std::is_base_of<Line, TriggerLine>::value},
      {"VerletMobile", "Mobile", std::is_base_of<Mobile, VerletMobile>::value},
      {"View", "Rect", std::is_base_of<Rect, View>::value},
      {"XmlShip", "Ship", std::is_base_of<Ship, XmlShip>::value},
      {"XmlShip", "XmlObject", std::is_base_of<XmlObject, XmlShip>::value},
  };
  return links;
}
}  // namespace

TEST(ClassTableMatchesCode, EveryParentInTheFileIsABaseOfItsClass) {
  for (Link const& link : codeLinks())
    EXPECT_TRUE(link.bIsBase) << link.parent << " is not a base of " << link.type;
}

TEST(ClassTableMatchesCode, TheFileListsExactlyTheseParents) {
  std::map<std::string, std::vector<std::string>> expected;
  for (Link const& link : codeLinks()) expected[link.type].push_back(link.parent);
  std::ifstream in("heirarchy.hcy");
  ASSERT_TRUE(in);
  std::string word, type;
  std::vector<std::string> parents;
  std::map<std::string, std::vector<std::string>> read;
  while (in >> word) {
    if (type.empty()) {
      type = word;
    } else if (word == ";") {
      if (!parents.empty()) read[type] = parents;
      type.clear();
      parents.clear();
    } else if (word.find('<') == std::string::npos) {
      parents.push_back(word);
    }
  }
  EXPECT_EQ(read, expected);
}

TEST(ClassTableMatchesCode, RunTimeNamesAreThePlainClassNames) {
  std::vector<std::pair<std::string, std::string>> const names = {
      {"Activatable", stripTypename(typeid(Activatable).name())},
      {"Agent", stripTypename(typeid(Agent).name())},
      {"AgentState", stripTypename(typeid(AgentState).name())},
      {"Animation", stripTypename(typeid(Animation).name())},
      {"Arguments", stripTypename(typeid(Arguments).name())},
      {"AttackState", stripTypename(typeid(AttackState).name())},
      {"Barrier", stripTypename(typeid(Barrier).name())},
      {"BarrierCreator", stripTypename(typeid(BarrierCreator).name())},
      {"Bullet", stripTypename(typeid(Bullet).name())},
      {"Button", stripTypename(typeid(Button).name())},
      {"ChoiceRect", stripTypename(typeid(ChoiceRect).name())},
      {"Circle", stripTypename(typeid(Circle).name())},
      {"Collidable", stripTypename(typeid(Collidable).name())},
      {"Collider", stripTypename(typeid(Collider).name())},
      {"CommandState", stripTypename(typeid(CommandState).name())},
      {"Creatable", stripTypename(typeid(Creatable).name())},
      {"Creatable2d", stripTypename(typeid(Creatable2d).name())},
      {"DrawRegions", stripTypename(typeid(DrawRegions).name())},
      {"Editable", stripTypename(typeid(Editable).name())},
      {"EditableSprite", stripTypename(typeid(EditableSprite).name())},
      {"Editor", stripTypename(typeid(Editor).name())},
      {"EditorTool", stripTypename(typeid(EditorTool).name())},
      {"Eso", stripTypename(typeid(Eso).name())},
      {"Explosion", stripTypename(typeid(Explosion).name())},
      {"Fence", stripTypename(typeid(Fence).name())},
      {"FenceNode", stripTypename(typeid(FenceNode).name())},
      {"FenceTool", stripTypename(typeid(FenceTool).name())},
      {"FinishLine", stripTypename(typeid(FinishLine).name())},
      {"GameState", stripTypename(typeid(GameState).name())},
      {"Gun", stripTypename(typeid(Gun).name())},
      {"GunUser", stripTypename(typeid(GunUser).name())},
      {"HoloDisplay", stripTypename(typeid(HoloDisplay).name())},
      {"HoloDisplayTool", stripTypename(typeid(HoloDisplayTool).name())},
      {"HomingMissle", stripTypename(typeid(HomingMissle).name())},
      {"HomingMissleGun", stripTypename(typeid(HomingMissleGun).name())},
      {"IdObj", stripTypename(typeid(IdObj).name())},
      {"InputBox", stripTypename(typeid(InputBox).name())},
      {"Item", stripTypename(typeid(Item).name())},
      {"ItemHolder", stripTypename(typeid(ItemHolder).name())},
      {"Line", stripTypename(typeid(Line).name())},
      {"LineTool", stripTypename(typeid(LineTool).name())},
      {"LoadableSprite", stripTypename(typeid(LoadableSprite).name())},
      {"LocalState", stripTypename(typeid(LocalState).name())},
      {"Looker", stripTypename(typeid(Looker).name())},
      {"MenuItem", stripTypename(typeid(MenuItem).name())},
      {"Mobile", stripTypename(typeid(Mobile).name())},
      {"ModifyTool", stripTypename(typeid(ModifyTool).name())},
      {"MoveToward", stripTypename(typeid(MoveToward).name())},
      {"MovementType", stripTypename(typeid(MovementType).name())},
      {"MultiListed", stripTypename(typeid(MultiListed).name())},
      {"Node", stripTypename(typeid(Node).name())},
      {"ObjMan2d", stripTypename(typeid(ObjMan2d).name())},
      {"ObjectManager", stripTypename(typeid(ObjectManager).name())},
      {"Obstacle", stripTypename(typeid(Obstacle).name())},
      {"OnRailsState", stripTypename(typeid(OnRailsState).name())},
      {"ParallaxSprite", stripTypename(typeid(ParallaxSprite).name())},
      {"ParameterGun", stripTypename(typeid(ParameterGun).name())},
      {"ParameterProjectile", stripTypename(typeid(ParameterProjectile).name())},
      {"PathFollower", stripTypename(typeid(PathFollower).name())},
      {"PathNode", stripTypename(typeid(PathNode).name())},
      {"PathTool", stripTypename(typeid(PathTool).name())},
      {"Pathfinder", stripTypename(typeid(Pathfinder).name())},
      {"Persistant", stripTypename(typeid(Persistant).name())},
      {"PlayerShip", stripTypename(typeid(PlayerShip).name())},
      {"ProgressBar", stripTypename(typeid(ProgressBar).name())},
      {"Projectile", stripTypename(typeid(Projectile).name())},
      {"QorEditor", stripTypename(typeid(QorEditor).name())},
      {"QorObjMan", stripTypename(typeid(QorObjMan).name())},
      {"QuadTreeNode", stripTypename(typeid(QuadTreeNode).name())},
      {"QuadTreeObject", stripTypename(typeid(QuadTreeObject).name())},
      {"Rect", stripTypename(typeid(Rect).name())},
      {"RectWindow", stripTypename(typeid(RectWindow).name())},
      {"ReflectGun", stripTypename(typeid(ReflectGun).name())},
      {"Regions", stripTypename(typeid(Regions).name())},
      {"SaveLoad", stripTypename(typeid(SaveLoad).name())},
      {"SelectRect", stripTypename(typeid(SelectRect).name())},
      {"Shape", stripTypename(typeid(Shape).name())},
      {"Ship", stripTypename(typeid(Ship).name())},
      {"ShipGun", stripTypename(typeid(ShipGun).name())},
      {"Shootable", stripTypename(typeid(Shootable).name())},
      {"SimpleMobile", stripTypename(typeid(SimpleMobile).name())},
      {"SimpleRect", stripTypename(typeid(SimpleRect).name())},
      {"SingleRegion", stripTypename(typeid(SingleRegion).name())},
      {"SpaceObject", stripTypename(typeid(SpaceObject).name())},
      {"Sprite", stripTypename(typeid(Sprite).name())},
      {"SpriteWindow", stripTypename(typeid(SpriteWindow).name())},
      {"Tile", stripTypename(typeid(Tile).name())},
      {"TileRegion", stripTypename(typeid(TileRegion).name())},
      {"TileRegions", stripTypename(typeid(TileRegions).name())},
      {"TransState", stripTypename(typeid(TransState).name())},
      {"Triangle", stripTypename(typeid(Triangle).name())},
      {"TriggerLine", stripTypename(typeid(TriggerLine).name())},
      {"TypedIdObj", stripTypename(typeid(TypedIdObj).name())},
      {"VerletMobile", stripTypename(typeid(VerletMobile).name())},
      {"View", stripTypename(typeid(View).name())},
      {"Visible", stripTypename(typeid(Visible).name())},
      {"VoidSelectable", stripTypename(typeid(VoidSelectable).name())},
      {"Window", stripTypename(typeid(Window).name())},
      {"XmlObject", stripTypename(typeid(XmlObject).name())},
      {"XmlParameters", stripTypename(typeid(XmlParameters).name())},
      {"XmlShip", stripTypename(typeid(XmlShip).name())},
  };
  for (auto const& name : names) EXPECT_EQ(name.second, name.first);
}
