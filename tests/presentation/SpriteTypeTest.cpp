#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestImages.h"
#include "core/GetParents.h"
#include "core/Xml.h"
#include "presentation/Sprite.h"
#include "presentation/Texture.h"
#include "support/LogCapture.h"
#include "support/QorScreen.h"

// A sprite configured from a type definition, as the data-driven ships are.
class TestXmlSprite : public Sprite, public XmlObject {
 public:
  void handleElement(XmlElement& /*element*/) override {}
};

// An object of the same shape that the class table does not call a sprite.
class TestXmlNotSprite : public Sprite, public XmlObject {
 public:
  void handleElement(XmlElement& /*element*/) override {}
};

namespace {
XmlParameters definitionNamed(std::string const& name) {
  std::istringstream in("<t> <name> " + name + " </name> <speed> 3 </speed> </t>");
  XmlElement element;
  readElement(in, element, "");
  return XmlParameters(element.getArguments());
}
}  // namespace

TEST(SpriteTypeTest, ASpritesTypeNameLoadsTheImageOfThatName) {
  openTestScreen();
  getHeirarchy().clear();
  std::istringstream table(
      "TestXmlSprite Sprite XmlObject ;\nTestXmlNotSprite XmlObject ;\nSprite ;\nXmlObject ;\n");
  readHeirarchy(table);
  TestImageDir images;
  std::string file = images.write("fighter.bmp", 30, 10, Color(255, 0, 0));
  std::string type = images.path + "/fighter";

  TestXmlSprite sprite;
  XmlParameters definition = definitionNamed(type);
  sprite.setType(definition);
  EXPECT_EQ(sprite.getName(), type);
  ASSERT_EQ(sprite.getFrames().size(), 1u);
  EXPECT_EQ(textures.at(sprite.getFrames()[0]).getName(), file);
  EXPECT_FLOAT_EQ(sprite.getWidth(), 30);

  LogCapture log;
  TestXmlNotSprite other;
  other.setType(definition);
  EXPECT_EQ(other.getName(), type);
  EXPECT_TRUE(other.getFrames().empty());
  EXPECT_EQ(log.text(), "");
}
