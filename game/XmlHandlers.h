// The interpreter of the global data files of the folder "xml": the root check, the global
// tags with the setting each one writes, the type lists and episodes they fill, and the
// handlers of the "trigger_line" event, which apply a level's trigger effects.
#pragma once

#include <string>

#include "core/VectorUtils.h"
#include "core/Xml.h"

// Enemy ship types ("holodisplay") and weapon types ("weapon"), in the order read.
extern VectorInterface<XmlParameters> holoTypes;
extern VectorInterface<XmlParameters> weaponTypes;

// fileName names the file in log lines.
void handleQorElement(XmlElement& root, std::string const& fileName = "");
void handleGlobalElements(Arguments& args, std::string const& fileName = "");
void handleGlobalEvent(std::string const& event);
void handleTriggerLines();
void handleEffect(Arguments& effects);
