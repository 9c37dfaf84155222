// The game's application object: it owns the window, the renderer, the
// keyboard, the world and the player, starts them in a fixed order, and runs
// the fixed-step loop (steps of 1/60 s, one frame per pass). Constructed by the
// entry point (main.cpp); tests and benchmarks run it with a clock of their own
// and the offscreen renderer.
//
// Modes: 1, walking; 2, talking with an NPC (Space or Return facing it), in
// which no NPC wanders, the player does not walk and no area changes, until
// the conversation ends. NPCs of the map without dialogues speak with those of
// their namesake in the NPC library "NPCs.rk", read once at start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BackgroundWorldLoad.h"
#include "GameClock.h"
#include "GameCommandLine.h"
#include "RkConversation.h"
#include "RkDirect3D.h"
#include "RkEntity.h"
#include "RkGameSettings.h"
#include "RkInput.h"
#include "RkNPCList.h"
#include "RkWindow.h"
#include "RkWorld.h"

// Where the renderer draws: the game window (the program), or an offscreen
// surface of the same size (tests, benchmarks), in which case no window and no
// keyboard device exist and the key table is whatever the caller sets.
enum class GameTarget { Window, Offscreen };

class EmberHollow {
 public:
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 480;
  static constexpr float kTileSize = 32.0f;
  static constexpr double kStepLength = 0.016666666666666666;
  static constexpr double kMaxPassTime = 0.25;
  static constexpr const char* kWorldFile = "World.rkm";
  static constexpr const char* kPlayerImage = "images/characters/ch_classm32_10.png";
  static constexpr int kWalkingMode = 1;
  static constexpr int kTalkingMode = 2;

  EmberHollow();

  // The command line's first map and start cell, which win over Game.ini's;
  // set before Run (or Start). Without it the game plays as without arguments.
  void SetCommandLine(const GameCommandLine& commandLine) { this->commandLine = commandLine; }
  // In the editor's playtest the command line's map is a hidden copy of the
  // edited map, whose own file is this one: a New Area leading into that file
  // loads the copy instead, so the unsaved edits play on the way back too.
  void SetPlaytestMapFile(const std::string& mapFile) { playtestMapFile = mapFile; }

  // Start-up, then the main loop until the pass in which a step saw Escape (or
  // the window was closed through the desktop). The entry point's operation.
  void Run(GameClock& clock, GameTarget target = GameTarget::Window);
  // The start-up half of Run: seed, settings ("Game.ini" and the command line),
  // window, renderer, keyboard, the first map ("World.rkm" without settings),
  // the NPC library, scene, counter.
  void Start(GameClock& clock, GameTarget target);
  // One pass of the loop: pump messages, run the fixed steps that the elapsed
  // time allows (at most 0.25 s of it), draw one frame. Returns the steps run.
  int RunPass(GameClock& clock);
  // One simulation step at time now (seconds): keys, the walk animation, then
  // in mode 1 NPCs, area change, walk or talk; in mode 2 the conversation.
  void Update(double now);
  // Registers every tile, every NPC and the player with the renderer, in that order.
  void BuildScene();

  bool IsRunning() const { return running != 0; }
  bool IsAreaChangePending() const { return areaChangePending != 0; }
  int GetMode() const { return mode; }
  RkDirection GetFacing() const { return facing; }
  const RkConversation& GetConversation() const { return conversation; }
  const RkNPCList& GetNPCLibrary() const { return npcLibrary; }
  const RkWindow& GetWindow() const { return window; }
  const RkGameSettings& GetSettings() const { return settings; }
  const std::string& GetPlayerImage() const { return playerImage; }
  double GetSimulatedTime() const { return simulatedTime; }
  double GetCurrentTime() const { return currentTime; }
  double GetAccumulator() const { return accumulator; }
  int GetFrameCount() const { return frameCount; }
  RkDirect3D& GetRenderer() { return renderer; }
  const RkDirect3D& GetRenderer() const { return renderer; }
  RkInput& GetInput() { return input; }
  RkWorld& GetWorld() { return world; }
  RkEntity& GetPlayer() { return player; }

 private:
  // The window's close button: ends the loop after this pass, like Escape.
  void PumpMessages();
  void StartDevices(GameTarget target);
  // Reads the counter: sets currentTime, returns the seconds since the last
  // reading, at most 0.25.
  double ReadElapsedTime(GameClock& clock);
  // The fixed steps that the accumulated time allows; returns how many ran.
  int RunDueSteps();
  void LoadNPCLibrary();
  // Start-up with settings: each ends the game with a report naming Game.ini's
  // line (or the command line's option) when what it names is wrong.
  void ReadSettings();
  [[nodiscard]] std::optional<RkFailure> StartFirstMapLoad();
  void FinishFirstMapLoad(const std::optional<RkFailure>& missingMap);
  [[nodiscard]] std::optional<RkFailure> FindFirstMap(std::string& mapFile);
  void CheckStartCell();
  void FindPlayerImage();
  void Walk(double now);
  RkDirection PickCommand();
  void MoveNPCs(double now);
  bool MayStandOn(int x, int y) const;
  void ChangeArea();
  std::string FindMapFile(const char* mapName);
  [[nodiscard]] std::optional<RkFailure> TryFindMapFile(const char* mapName, std::string& mapFile);
  // The command line's map in place of the playtest's edited map file.
  std::string StandInFor(const std::string& mapFile) const;
  void WalkPlayer(RkDirection command);
  void StartPlayerWalk(RkDirection command);
  void TalkToFacedNPC();
  void Converse();
  void EndConversation();
  bool IsKeyDown(int keyCode) const;
  // Down in this step and up in the one before: a press acts once.
  bool IsKeyPressed(int keyCode) const;
  bool IsConfirmPressed() const;

  int32_t running;
  RkWindow window;
  RkDirect3D renderer;
  // Each NPC's sprite as the renderer last gave it, by the NPC's index.
  std::vector<RkDirect3D::NpcSprite> npcSprites;
  RkInput input;
  RkWorld world;
  BackgroundWorldLoad firstMapLoad;
  RkEntity player;
  int32_t width;
  int32_t height;
  int64_t lastCounter;
  int64_t counterFrequency;
  double simulatedTime;
  double currentTime;
  int32_t mode;
  int32_t areaChangePending;
  // Port additions: the accumulator lives across passes so that a pass can be
  // run on its own, and the frames drawn are counted for tests.
  double accumulator;
  int frameCount;
  // The conversation of mode 2, and what the game keeps to run it: the way the
  // player faces (the last arrow acted on), the key table of the step before,
  // and the Escape that ended a conversation, which must not end the game too
  // while it stays held.
  RkConversation conversation;
  RkNPCList npcLibrary;
  RkDirection facing;
  uint8_t previousKeys[RK_KEY_TABLE_SIZE];
  bool escapeHeldFromConversation;
  // The game's own settings and its command line, read at start; the hero's
  // image that every scene registers.
  RkGameSettings settings;
  GameCommandLine commandLine;
  std::string playerImage;
  std::string playtestMapFile;
  // The command line's map as found, when it named one.
  std::string firstMapFile;
};
