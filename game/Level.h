// Levels and episodes: the level state (current level, victory condition, level time, trigger
// effects), stepping through the levels and episodes that the data files declare, loading a
// ".lev" file into the object managers, and the level progress shown by the progress bar.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/VectorUtils.h"
#include "core/Xml.h"

// One entry per "episode" element: its arguments, one level element each.
extern VectorInterface<Arguments> episodes;
extern int iEpisode;
// The index of the next level of the current episode.
extern int iLevel;
// Never "temp.lev".
extern std::string currLevel;
extern std::string victoryCondition;
// Frames left; -1 means no limit.
extern int levelTime;
extern int originalNumEnemies;
extern int lastLineI;
extern XmlElement triggerRoot;
// One element per trigger line that has effects, tagged with the line's id.
extern Arguments triggerEvents;
// Set when the editor is left, so that its next entry loads the scratch level; cleared by
// every level or episode step.
extern bool useTempLev;
// The scratch level through which the editor hands its level to the game: "temp.lev" with
// this process's id ("temp-1234.lev"), so that two games in one folder keep apart. Removed
// at exit.
std::string getScratchLevelName();
void removeScratchLevel();
// Set while the editor edits: levels then load into the editor's manager.
extern bool bEdit;

void handleEpisode(Arguments const& args);
bool handleLevel(Arguments& levelArgs);
bool loadLevel(std::string const& name);
// loadLevel for the editor (bEdit set), whose callers let the game's objects go right after
// (dropGameObjects): the fences play needs are made but kept out of the game's manager, so the
// obstacle tree is built without them. What is left afterwards is what loadLevel and the drop
// leave, the drawing colours included.
bool loadLevelForEditing(std::string const& name);
void loadNextLevel();
void loadPrevLevel();
void loadNextEpisode();
void loadPrevEpisode();
void reloadLevel();
void setLevelIndex(int newIndex);
bool onLastLevel();
bool onLastEpisode();
float getProgress();
float getMaxProgress();
int getLevelTime();
void decreaseLevelTime();
std::string getVictoryCondition();
std::string getCurrLevel();
void setCurrentLevel(std::string const& name);
void saveTriggers(std::ostream& out);

// The steps of loadLevel. readInitialStuff is false when the trigger tree, the bounds or the
// level time cannot be read.
void preLoad();
bool readInitialStuff(std::istream& in);
void setUp(std::string const& level, bool bForEditing = false);
